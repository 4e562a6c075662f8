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
        {{"/src/build", true, true, "/d"}, "/src/build/", "/src/build/"},  // data beside wins: a build is portable
        {{"/tmp/lost", false, false, "/d"}, "/tmp/lost/", "/tmp/lost/"},    // no data: start-up names what is missing
        {{"/usr/bin", false, true, ""}, "/usr/share/tavel-builder/", "/usr/share/tavel-builder/"},  // nowhere to write
    };
    for (const auto& c : cases) {
        const DataFolders folders = ChooseDataFolders(c.facts);
        EXPECT_EQ(folders.shipped + " " + folders.user, c.shipped + " " + c.user) << c.facts.executableFolder;
        EXPECT_EQ(folders.Portable(), c.shipped == c.user);
    }
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().string()] = test::ReadBinary(entry.path().string());
    return files;
}

// The shipped data installed under <root>/usr, found from <root>/usr/bin as
// the program finds it, and a user data home that does not exist yet.
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

TEST_F(InstalledLayout, StartFillsWhatTheUserFolderLacksAndKeepsWhatIsThere) {
    EXPECT_EQ(folders.user, User(""));
    Start();
    for (const char* file : {"system/temp.js", "system/index.htm", "system/stt.css", "system/sys.js"})
        EXPECT_EQ(test::ReadBinary(User(file)), test::ReadBinary(Shipped(file))) << file;
    EXPECT_FALSE(fs::exists(User("system/gaps.ini")));  // read from the shipped folder
    EXPECT_EQ(fs::read_symlink(User("buttons")), fs::path(Shipped("buttons")));
    EXPECT_EQ(preview.calls.front(), "navigate " + FileLocation(User("system/index.htm")));

    std::ofstream(User("system/temp.js"), std::ios::binary) << "mine";
    fs::remove(User("system/index.htm"));
    PrepareUserFolder(workspace);
    EXPECT_EQ(test::ReadBinary(User("system/temp.js")), "mine");
    EXPECT_EQ(test::ReadBinary(User("system/index.htm")), test::ReadBinary(Shipped("system/index.htm")));
}

TEST_F(InstalledLayout, EveryWriteOfTheProgramsOwnLandsInTheUserFolder) {
    Start();
    test::BuildTree(workspace.Tree(), {{0, MenuItemKind::Plain, "Only", "", "only.htm"}});
    const StyleChoice inferno{StyleOrigin::Provided, "Inferno"};
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"system/temp.js", [&] { GenerateCode(workspace, preview); }},
        {"system/sys.js", [&] { RestyleProject(workspace, preview, inferno); }},  // Skin only
        {"system/stt.css", [&] {
             PageDesignSettings settings = ReadPageDesign(workspace, {}, {});
             settings.scheme = "Blue.csm";
             ApplyPageDesign(workspace, preview, settings);
         }},
        {"Styles/User/Mine.tvs", [&] { SaveUserStyle(workspace, "Mine", {{"Caption", " Mine"}}, &inferno); }},
        {"system/temp.js", [&] { CreateNewMenu(workspace, preview, PrepareNewMenu(workspace, "", "", inferno)); }},
    };
    for (const auto& [written, command] : commands) {
        const std::string before = test::ReadBinary(User(written));
        command();
        EXPECT_NE(test::ReadBinary(User(written)), before) << written;
        EXPECT_EQ(Snapshot(Shipped("")), shippedBefore) << written;
    }
}

TEST_F(InstalledLayout, RestoreAsksThenPutsTheShippedTextsBackUnderAnOpenProject) {
    Start();
    workspace.MarkModified();
    EXPECT_TRUE(test::Mentions(RestoreDefaultProjectQuestion(workspace), User("system") + "\" are replaced"));
    EXPECT_TRUE(test::Mentions(RestoreDefaultProjectQuestion(workspace), "lost"));
    // The window's test sees the open default project reloaded; a named one stays.
    std::ofstream(User("system/stt.css"), std::ios::binary) << "mine";
    workspace.SetProject(root.File("elsewhere"), "Elsewhere");
    workspace.Texts().styleSheet = "kept";
    RestoreDefaultProject(workspace, preview);
    EXPECT_EQ(test::ReadBinary(User("system/stt.css")), test::ReadBinary(Shipped("system/stt.css")));
    EXPECT_EQ(workspace.Texts().styleSheet, "kept");
}

}  // namespace
}  // namespace tavel
