// Where the program's data lives, portable and installed: the choice from the
// layout, the user's copy of the default project, and every write going to
// the user's folder while the shipped folder stays as it came.
#include "project/UserFolder.h"

#include "TestSupport.h"
#include "design/PageDesignSettings.h"
#include "platform/Paths.h"
#include "project/DataFolders.h"
#include "project/GenerateCode.h"
#include "project/NewMenu.h"
#include "project/PageDesign.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace tavel {
namespace {

namespace fs = std::filesystem;

TEST(ChooseDataFolders, DecidesByLayoutAlone) {
    const struct {
        InstallFacts facts;
        std::string shipped, user;
    } cases[] = {
        {{"/usr/bin", false, true, "/home/u/.local/share"}, "/usr/share/tavel-builder/", "/home/u/.local/share/tavel-builder/"},
        {{"/opt/tb/bin/", false, true, "/d/"}, "/opt/tb/share/tavel-builder/", "/d/tavel-builder/"},
        // Data beside the executable wins: a build stays portable.
        {{"/src/build", true, true, "/d"}, "/src/build/", "/src/build/"},
        // Neither: the executable's folder, whose missing templates start-up names.
        {{"/tmp/lost", false, false, "/d"}, "/tmp/lost/", "/tmp/lost/"},
        // Nowhere to write: the shipped folder for both, so writes fail naming it.
        {{"/usr/bin", false, true, ""}, "/usr/share/tavel-builder/", "/usr/share/tavel-builder/"},
    };
    for (const auto& c : cases) {
        const DataFolders folders = ChooseDataFolders(c.facts);
        EXPECT_EQ(folders.shipped, c.shipped) << c.facts.executableFolder;
        EXPECT_EQ(folders.user, c.user) << c.facts.executableFolder;
        EXPECT_EQ(folders.Portable(), c.shipped == c.user);
    }
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().string()] = test::ReadBinary(entry.path().string());
    return files;
}

// The shipped data installed under <root>/usr, the user's data home empty.
class InstalledLayout : public ::testing::Test {
protected:
    InstalledLayout() : folders(Install()), workspace(folders.shipped, folders.user), shippedBefore(Snapshot(Shipped(""))) {}
    DataFolders Install() {
        fs::create_directories(root.File("usr/bin"));
        fs::create_directories(root.File("usr/share"));
        fs::copy(TAVEL_SOURCE_DIR "/data", Shipped(""), fs::copy_options::recursive);
        return FindDataFolders(root.File("usr/bin"), root.File("home/.local/share"));
    }
    std::string Shipped(const std::string& file) const { return root.File("usr/share/tavel-builder/" + file); }
    std::string User(const std::string& file) const { return root.File("home/.local/share/tavel-builder/" + file); }
    void Start() {
        PrepareUserFolder(workspace);
        LoadDefaultProject(workspace, preview);
    }

    test::TempFolder root;
    DataFolders folders;
    Workspace workspace;
    std::map<std::string, std::string> shippedBefore;
    test::RecordingPreview preview;
};

TEST_F(InstalledLayout, FirstStartFillsTheUserFolderAndLaterOnesKeepWhatIsThere) {
    EXPECT_EQ(folders.shipped, Shipped(""));
    EXPECT_EQ(folders.user, User(""));
    Start();
    for (const char* file : {"system/temp.js", "system/index.htm", "system/stt.css", "system/sys.js"})
        EXPECT_EQ(test::ReadBinary(User(file)), test::ReadBinary(Shipped(file))) << file;
    EXPECT_FALSE(fs::exists(User("system/gaps.ini")));  // read from the shipped folder
    EXPECT_EQ(fs::read_symlink(User("buttons")), fs::path(Shipped("buttons")));
    EXPECT_EQ(preview.calls.front(), "navigate " + FileLocation(User("system/index.htm")));

    std::ofstream(User("system/temp.js"), std::ios::binary) << "var theMenu = new Array();\r\n";
    fs::remove(User("system/index.htm"));
    fs::remove(User("buttons"));
    PrepareUserFolder(workspace);
    EXPECT_EQ(test::ReadBinary(User("system/temp.js")), "var theMenu = new Array();\r\n");
    EXPECT_EQ(test::ReadBinary(User("system/index.htm")), test::ReadBinary(Shipped("system/index.htm")));
    EXPECT_TRUE(fs::is_symlink(User("buttons")));
}

TEST_F(InstalledLayout, EveryWriteOfTheProgramsOwnLandsInTheUserFolder) {
    Start();
    test::BuildTree(workspace.Tree(), {{0, MenuItemKind::Plain, "Only", "", "only.htm"}});
    const StyleChoice inferno{StyleOrigin::Provided, "Inferno"};
    const struct {
        const char* command;
        std::function<void()> run;
        const char* written;
    } commands[] = {
        {"Generate code", [&] { GenerateCode(workspace, preview); }, "system/temp.js"},
        {"Skin only", [&] { RestyleProject(workspace, preview, inferno); }, "system/sys.js"},
        {"Page Design", [&] {
             PageDesignSettings settings = ReadPageDesign(workspace, {}, {});
             settings.scheme = "Blue.csm";
             ApplyPageDesign(workspace, preview, settings);
         }, "system/stt.css"},
        {"Style Master", [&] { SaveUserStyle(workspace, "Mine", {{"Caption", " Mine"}}, &inferno); }, "Styles/User/Mine.tvs"},
        {"Create, both fields empty", [&] { CreateNewMenu(workspace, preview, PrepareNewMenu(workspace, "", "", inferno)); },
         "system/temp.js"},
    };
    for (const auto& c : commands) {
        const std::string before = test::ReadBinary(User(c.written));
        c.run();
        EXPECT_NE(test::ReadBinary(User(c.written)), before) << c.command;
        EXPECT_EQ(Snapshot(Shipped("")), shippedBefore) << c.command;
    }
    EXPECT_EQ(ListUserStyles(workspace), std::vector<std::string>{"Mine"});
}

TEST_F(InstalledLayout, RestorePutsTheShippedTextsBackAndReloadsTheOpenDefaultProject) {
    Start();
    const size_t shippedItems = workspace.Tree().Count();
    std::ofstream(User("system/stt.css"), std::ios::binary) << "mine";
    workspace.Tree().Clear();
    workspace.MarkModified();
    EXPECT_TRUE(test::Mentions(RestoreDefaultProjectQuestion(workspace), User("system")));
    EXPECT_TRUE(test::Mentions(RestoreDefaultProjectQuestion(workspace), "lost"));

    EXPECT_TRUE(RestoreDefaultProject(workspace, preview).failures.empty());
    EXPECT_EQ(test::ReadBinary(User("system/stt.css")), test::ReadBinary(Shipped("system/stt.css")));
    EXPECT_EQ(workspace.Tree().Count(), shippedItems);
    EXPECT_FALSE(workspace.Modified());

    // A named project stays open as it is; only the template files change.
    std::ofstream(User("system/stt.css"), std::ios::binary) << "mine";
    workspace.SetProject(root.File("elsewhere"), "Elsewhere");
    workspace.Texts().styleSheet = "kept";
    EXPECT_EQ(RestoreDefaultProjectQuestion(workspace).find("lost"), std::string::npos);
    RestoreDefaultProject(workspace, preview);
    EXPECT_EQ(test::ReadBinary(User("system/stt.css")), test::ReadBinary(Shipped("system/stt.css")));
    EXPECT_EQ(workspace.Texts().styleSheet, "kept");
}

TEST(PortableRun, HasNoUserFolderToPrepareOrRestore) {
    test::TempFolder program;
    fs::create_directories(program.File("system"));
    program.Write("system/index.htm", "mine");
    const DataFolders folders = FindDataFolders(program.path(), program.File("home"));
    ASSERT_TRUE(folders.Portable());
    Workspace workspace(folders.shipped, folders.user);
    test::RecordingPreview preview;
    PrepareUserFolder(workspace);
    RestoreDefaultProject(workspace, preview);
    EXPECT_EQ(program.Read("system/index.htm"), "mine");
    EXPECT_FALSE(fs::exists(program.File("home")));
    EXPECT_TRUE(preview.calls.empty());
}

}  // namespace
}  // namespace tavel
