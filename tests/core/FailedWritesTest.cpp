// Every command that writes files, with each of its file steps failing in
// turn: the files are all as before (or all new, when only the clearing up
// after the commit failed, and then the command succeeds), the message names
// the file and the reason, and the workspace follows the disk.
#include "TestSupport.h"
#include "platform/FileError.h"
#include "platform/StagedFile.h"
#include "project/GenerateCode.h"
#include "project/NewMenu.h"
#include "project/PageDesign.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/PageIntegration.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace tavel {
namespace {

namespace fs = std::filesystem;
using Disk = std::map<std::string, std::string>;

// Long enough for the style slots and the gap lines.
const std::string kRuntime = test::CrLf(std::vector<std::string>(48, "var s = 0;"));
const std::string kStyleFile = test::CrLf(std::vector<std::string>(kStyleFileLines, "Value = 1"));

// A program folder with its templates, styles, schemes and a button, the
// open project "Shop" with a tree edit not yet saved, and a page beside
// older menu files for Integrate.
struct World {
    test::TempFolder root;
    std::string projects = root.File("projects");
    Workspace workspace{root.File("program")};
    test::RecordingPreview preview;

    World() {
        for (const char* folder : {"program/system", "program/Styles/Provided", "program/Styles/Color",
                                   "program/Styles/User", "program/buttons", "projects/Shop", "site"})
            fs::create_directories(root.File(folder));
        const std::pair<const char*, std::string> files[] = {
            {"program/system/temp.js", test::ExampleScript()},
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
        test::BuildTree(workspace.Tree(), test::ExampleRows());
        workspace.MarkSaved();
        EditHistory& history = workspace.History();
        MenuItem* home = test::FindItem(workspace.Tree(), "Home");
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
        for (const test::Row& row : test::RowsOf(workspace.Tree()))
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

const StyleChoice kHotSummer{StyleOrigin::Provided, "Hot summer"};

std::vector<Command> Commands() {
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

// Whether a file step's path is the file, its folder, or one of the hidden
// files a write keeps beside it.
bool Concerns(const std::string& stepPath, const std::string& file) {
    if (stepPath == file || stepPath == FolderPart(file)) return true;
    const std::string name = file.substr(file.find_last_of('/') + 1);
    const std::string step = stepPath.substr(stepPath.find_last_of('/') + 1);
    return FolderPart(stepPath) == FolderPart(file) && step.rfind("." + name + ".tavel-", 0) == 0;
}

struct Outcome {
    Disk disk;
    std::string state;
    size_t steps = 0;
};

Outcome RunWhole(const std::function<void(World&)>& run) {
    World world;
    test::StepFailure counter;
    run(world);
    return {world.OnDisk(), world.State(), counter.steps.size()};
}

TEST(FailedWritesTest, EveryStepOfEveryWritingCommandFailsCleanly) {
    constexpr int kErrors[] = {ENOSPC, EACCES, EIO, EISDIR};
    const World pristine;
    const Disk diskBefore = pristine.OnDisk();
    const std::string stateBefore = pristine.State();
    const Outcome saved = RunWhole(Commands()[1].run);
    size_t pairs = 0;
    std::ostringstream counts;

    for (const Command& command : Commands()) {
        const Outcome whole = RunWhole(command.run);
        ASSERT_NE(whole.disk, diskBefore) << command.name << " wrote nothing";
        counts << (pairs == 0 ? "" : ", ") << command.name << " " << whole.steps;
        for (size_t step = 1; step <= whole.steps; ++step, ++pairs) {
            World world;
            const int error = kErrors[step % std::size(kErrors)];
            test::StepFailure failure(step, error);
            std::string message;
            std::string named;
            try {
                command.run(world);
            } catch (const FileError& thrown) {
                message = thrown.what();
                named = thrown.path();
            }
            ASSERT_TRUE(failure.Failed()) << command.name << " took fewer steps this time";
            const test::StepFailure::Step failed = failure.steps[step - 1];
            SCOPED_TRACE(std::string(command.name) + ", step " + std::to_string(step) + ": " +
                         FileStepName(failed.kind) + " " + failed.path + " fails with " + std::strerror(error));
            const Disk disk = world.OnDisk();

            if (message.empty()) {
                // Only clearing away an old version after the commit can fail
                // unnoticed; that one hidden file is all that stays.
                EXPECT_EQ(failed.kind, FileStep::Unlink);
                Disk expected = whole.disk;
                const std::string left = fs::relative(failed.path, world.root.path()).string();
                EXPECT_TRUE(IsSideFileName(fs::path(left).filename().string()));
                if (disk.count(left) != 0) expected[left] = disk.at(left);
                EXPECT_EQ(disk, expected);
                EXPECT_EQ(world.State(), whole.state);
                continue;
            }
            EXPECT_TRUE(test::Mentions(message, std::strerror(error)));
            EXPECT_TRUE(test::Mentions(message, "\"" + named + "\""));
            EXPECT_TRUE(Concerns(failed.path, named)) << named;
            const bool afterSave = command.savesFirst && step > saved.steps;
            EXPECT_EQ(disk, afterSave ? saved.disk : diskBefore);
            EXPECT_EQ(world.State(), afterSave ? saved.state : stateBefore);
        }
    }
    std::cout << "[          ] " << pairs << " (command, step) pairs: " << counts.str() << "\n";
    EXPECT_GT(pairs, 200u);
}

}  // namespace
}  // namespace tavel
