#pragma once

// A program folder, an open project and a page beside it, and every command
// that writes files, for the tests that make those writes fail or die.
#include "TestSupport.h"
#include "project/GenerateCode.h"
#include "project/NewMenu.h"
#include "project/PageDesign.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/PageIntegration.h"

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tavel::test {

namespace fs = std::filesystem;
using Disk = std::map<std::string, std::string>;

// Long enough for the style slots and the gap lines.
inline const std::string kRuntime = CrLf(std::vector<std::string>(48, "var s = 0;"));
inline const std::string kStyleFile = CrLf(std::vector<std::string>(kStyleFileLines, "Value = 1"));

// A program folder with its templates, styles, schemes and a button, the
// open project "Shop" with a tree edit not yet saved, and a page beside
// older menu files for Integrate.
struct World {
    TempFolder root;
    std::string projects = root.File("projects");
    Workspace workspace{root.File("program")};
    RecordingPreview preview;

    World() {
        for (const char* folder : {"program/system", "program/Styles/Provided", "program/Styles/Color",
                                   "program/Styles/User", "program/buttons", "projects/Shop", "site"})
            fs::create_directories(root.File(folder));
        const std::pair<const char*, std::string> files[] = {
            {"program/system/temp.js", ExampleScript()},
            {"program/system/index.htm", "<html>template</html>\r\n"},
            {"program/system/stt.css", "A.menu { color : #000; }\r\n"},
            {"program/system/sys.js", kRuntime},
            {"program/system/gaps.ini", "var decoration = 1;\r\n"},
            {"program/system/style.ini", "BODY { margin : 0; }\r\n"},
            {"program/Styles/Provided/Hot summer.tvs", kStyleFile},
            {"program/Styles/Provided/Hot summer.css", "A.menu { color : #fff; }\r\n"},
            {"program/Styles/Provided/Plain.tvs", kStyleFile},
            {"program/Styles/Color/Blue.csm", "var s1 = 9;\r\n"},
            {"program/Styles/Color/Blue.csm.css", "A.menu { color : #00f; }\r\n"},
            {"program/buttons/blue.jpg", "blue picture"},
            {"program/Styles/User/Mine.tvs", kStyleFile},
            {"program/Styles/User/Mine.css", "A.menu { color : #0f0; }\r\n"},
            {"program/Styles/User/Mine.jpg", "mine picture"},
            {"projects/Shop/temp.js", "old script\r\n"},
            {"projects/Shop/index.htm", "old page\r\n"},
            {"projects/Shop/stt.css", "old sheet\r\n"},
            {"projects/Shop/sys.js", "old runtime\r\n"},
            {"site/page.htm", "<html><head><title>T</title></head><body>x</body></html>\r\n"},
            {"site/temp.js", "old script\r\n"},
            {"site/stt.css", "old sheet\r\n"},
        };
        for (const auto& [name, bytes] : files) root.Write(name, bytes);

        workspace.SetProject(root.File("projects/Shop"), "Shop");
        workspace.Texts() = {"old script\r\n", "<html>page</html>\r\n", "A.menu { color : #000; }\r\n", kRuntime};
        BuildTree(workspace.Tree(), ExampleRows());
        workspace.MarkSaved();
        EditHistory& history = workspace.History();
        MenuItem* home = FindItem(workspace.Tree(), "Home");
        MenuItemData data = home->Data();
        data.caption = "Home page";
        history.Begin("Edit item");
        history.SetData(home, data);
        history.Commit();
        workspace.FollowHistory();
    }

    Disk OnDisk() const {
        Disk disk;
        for (const auto& entry : fs::recursive_directory_iterator(root.path())) {
            const std::string name = fs::relative(entry.path(), root.path()).string();
            disk[name] = entry.is_directory() ? "<folder>" : root.Read(name);
        }
        return disk;
    }

    // What the commands may change of the workspace, in one text, with the
    // world's own folder left out so that two worlds compare.
    std::string State() const {
        std::ostringstream out;
        const EditHistory& history = workspace.History();
        out << "modified " << workspace.Modified() << ", save " << workspace.SaveEnabled() << ", project \""
            << workspace.ProjectFolder() << "\" \"" << workspace.ProjectName() << "\", undo " << history.UndoCount()
            << " " << (history.CanUndo() ? history.UndoName() : "") << ", redo " << history.CanRedo() << ", clean "
            << history.AtCleanPoint() << "\n";
        const ProjectTexts& texts = workspace.Texts();
        for (const std::string* text : {&texts.script, &texts.page, &texts.styleSheet, &texts.runtime})
            out << "text: " << *text << "\n";
        for (const Row& row : RowsOf(workspace.Tree()))
            out << row.level << " " << row.caption << " -> " << row.link << "\n";
        std::string state = out.str();
        for (size_t at; (at = state.find(root.path())) != std::string::npos;) state.replace(at, root.path().size(), "ROOT");
        return state;
    }
};

struct Command {
    const char* name;
    std::function<void(World&)> run;
    // The command saves the project first, as Save does, and writes more
    // after that: a failure after the save finds the project as Save left it.
    bool savesFirst = false;
};

inline const StyleChoice kHotSummer{StyleOrigin::Provided, "Hot summer"};

inline std::vector<Command> Commands() {
    return {
        {"Generate code", [](World& w) { GenerateCode(w.workspace, w.preview); }},
        {"Save", [](World& w) { SaveProjectTexts(w.workspace, w.preview, w.workspace.ProjectFolder()); }},
        {"Save as",
         [](World& w) {
             SaveProjectAs(w.workspace, w.preview, w.workspace.ButtonStyles(), w.projects + "/Copy", "Copy");
         }},
        {"New Menu Create",
         [](World& w) {
             CreateNewMenu(w.workspace, w.preview, PrepareNewMenu(w.workspace, w.projects, "Fresh", kHotSummer));
         }},
        {"New Menu Skin only", [](World& w) { RestyleProject(w.workspace, w.preview, kHotSummer); }},
        {"Page Design",
         [](World& w) {
             PageDesignSettings settings;
             settings.button = "blue";
             settings.scheme = "Blue.csm";
             settings.leftGap = {true, "["};
             ApplyPageDesign(w.workspace, w.preview, settings);
         }},
        {"Style Master save",
         [](World& w) {
             // Made from a style without a sheet: Mine's sheet goes, its style file changes.
             std::vector<std::pair<std::string, std::string>> entries;
             for (std::string_view line : DefaultStyleLines()) entries.emplace_back(StyleLineName(line), StyleLineValue(line));
             entries[0].second = "Mine";
             const StyleChoice plain{StyleOrigin::Provided, "Plain"};
             SaveUserStyle(w.workspace, "Mine", entries, &plain);
         }},
        {"Style Master delete", [](World& w) { DeleteUserStyle(w.workspace, "Mine"); }},
        {"Create site",
         [](World& w) {
             SiteOptions options;
             options.title.siteName = "Shop";
             options.linkNames = false;
             CreateSite(w.workspace, w.preview, options);
         },
         true},
        {"Integrate", [](World& w) { IntegrateMenu(w.workspace, w.root.File("site/page.htm")); }},
    };
}

}  // namespace tavel::test
