// Create and Skin only: a new project from the template and a style, or the
// open one restyled, each saved at once and changing nothing when it fails.
#include "project/NewMenu.h"

#include "TestSupport.h"
#include "menu/MenuTree.h"
#include "platform/FileError.h"
#include "platform/TextLines.h"
#include "project/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

namespace fs = std::filesystem;

std::string TemplateRuntime(size_t total = 30) {
    std::vector<std::string> lines(11, "// runtime");
    for (int i = 1; i <= 13; ++i) lines.push_back("var s" + std::to_string(i) + " = 0;");
    while (lines.size() < total) lines.push_back("function buildMenu(n) {}");
    lines.resize(total);
    return test::CrLf(lines);
}

std::string StyleFileOf(const std::string& caption, const std::string& width) {
    std::vector<std::string> lines = {"Caption = " + caption, "Title Width = " + width};
    for (size_t i = 3; i <= kStyleFileLines; ++i) lines.push_back("Value " + std::to_string(i) + " = " + std::to_string(i));
    return test::CrLf(lines);
}

class NewMenuTest : public ::testing::Test {
protected:
    NewMenuTest() : workspace(program.path()) {
        fs::create_directories(program.File("system"));
        fs::create_directories(program.File("Styles/Provided"));
        fs::create_directories(program.File("home"));
        program.Write("system/temp.js", test::ExampleScript());
        program.Write("system/index.htm", "<html>template</html>\r\n");
        program.Write("system/stt.css", "A.menu {}\r\n");
        program.Write("system/sys.js", TemplateRuntime());
        program.Write("Styles/Provided/Hot summer.tvs", StyleFileOf("Hot summer", "21"));
        program.Write("Styles/Provided/Hot summer.css", "A.menu { color : #fff; }\r\n");
        home = program.File("home");
        // The open project: the template's sample menu, as at start-up.
        workspace.Texts() = {ReadFile("system/temp.js"), ReadFile("system/index.htm"), ReadFile("system/stt.css"),
                             ReadFile("system/sys.js")};
        test::BuildTree(workspace.Tree(), test::ExampleRows());
    }

    std::string ReadFile(const std::string& name) const { return program.Read(name); }
    std::string SlotLine(const std::string& runtime) const { return TextLines(runtime).Line(12); }

    test::TempFolder program;
    Workspace workspace;
    test::RecordingPreview preview;
    std::string home;
    const StyleChoice hotSummer{StyleOrigin::Provided, "Hot summer"};
};

TEST_F(NewMenuTest, CreateSavesTheStyledTemplateWithAnEmptyMenuAndOpensIt) {
    workspace.MarkModified();
    const NewMenuPlan plan = PrepareNewMenu(workspace, home + "/", "UntitledMenu1", hotSummer);
    EXPECT_EQ(plan.folder, home + "/UntitledMenu1");
    EXPECT_TRUE(plan.replacedFiles.empty());
    CreateNewMenu(workspace, preview, plan);

    const std::string folder = home + "/UntitledMenu1";
    EXPECT_EQ(workspace.ProjectFolder(), folder);
    EXPECT_TRUE(workspace.Tree().Empty());
    EXPECT_FALSE(workspace.Modified());
    EXPECT_EQ(program.Read("home/UntitledMenu1/stt.css"), "A.menu { color : #fff; }\r\n");
    EXPECT_EQ(SlotLine(program.Read("home/UntitledMenu1/sys.js")), "var s1 = 21;");
    EXPECT_EQ(program.Read("home/UntitledMenu1/temp.js"), "var theMenu = new Array();\r\n");
    EXPECT_EQ(preview.calls, std::vector<std::string>{"navigate file:\\\\\\" + folder + "/index.htm"});
    // The template itself is not touched.
    EXPECT_EQ(ReadFile("system/temp.js"), test::ExampleScript());
}

TEST_F(NewMenuTest, ReplacingFilesIsKnownBeforehandAlsoForTheSameFolderAndTheTemplate) {
    CreateNewMenu(workspace, preview, PrepareNewMenu(workspace, home, "Menu1", hotSummer));
    // The open project's own folder: Create would replace its saved menu.
    const NewMenuPlan again = PrepareNewMenu(workspace, home, "Menu1", hotSummer);
    EXPECT_EQ(again.replacedFiles.size(), 4u);
    EXPECT_EQ(again.replacedFiles.front(), home + "/Menu1/temp.js");
}

TEST_F(NewMenuTest, BothFieldsEmptyGoBackToTheDefaultProject) {
    workspace.SetProject(home + "/Old", "Old");
    CreateNewMenu(workspace, preview, PrepareNewMenu(workspace, "", "", hotSummer));
    EXPECT_TRUE(workspace.IsDefaultProject());
    EXPECT_EQ(ReadFile("system/temp.js"), "var theMenu = new Array();\r\n");
}

TEST_F(NewMenuTest, NothingChangesWhenTheStyleOrTheRuntimeDoesNotFitOrTheSaveFails) {
    const ProjectTexts before = workspace.Texts();
    const size_t items = workspace.Tree().Count();
    const auto unchanged = [&] {
        EXPECT_EQ(workspace.Tree().Count(), items);
        EXPECT_TRUE(workspace.IsDefaultProject());
        EXPECT_EQ(workspace.Texts().runtime, before.runtime);
        EXPECT_EQ(ReadFile("system/stt.css"), before.styleSheet);
    };

    program.Write("Styles/Provided/Hot summer.tvs", "Caption = short\r\nTitle Width = 1\r\n");
    EXPECT_THROW(RestyleProject(workspace, preview, hotSummer), StyleError);
    unchanged();

    program.Write("Styles/Provided/Hot summer.tvs", StyleFileOf("Hot summer", "21"));
    program.Write("system/sys.js", TemplateRuntime(25));
    EXPECT_TRUE(test::Mentions(
        test::ThrownMessage<StyleError>([&] { PrepareNewMenu(workspace, home, "Menu1", hotSummer); }), "system/sys.js"));
    program.Write("system/sys.js", before.runtime);

    // A directory that does not exist: the folder cannot be made one level down.
    const NewMenuPlan plan = PrepareNewMenu(workspace, home + "/missing", "Menu1", hotSummer);
    EXPECT_THROW(CreateNewMenu(workspace, preview, plan), FileError);
    unchanged();
    EXPECT_TRUE(preview.calls.empty());
}

TEST_F(NewMenuTest, SkinOnlyRestylesAndSavesTheOpenProjectWhereItLives) {
    workspace.MarkModified();
    RestyleProject(workspace, preview, hotSummer);
    EXPECT_FALSE(workspace.Modified());
    EXPECT_EQ(workspace.Tree().Count(), test::ExampleRows().size());
    EXPECT_EQ(SlotLine(ReadFile("system/sys.js")), "var s1 = 21;");

    // A named project is saved and shown where it lives.
    fs::create_directories(home + "/Shop");
    workspace.SetProject(home + "/Shop", "Shop");
    RestyleProject(workspace, preview, hotSummer);
    EXPECT_EQ(preview.calls.back(), "navigate file:\\\\\\" + home + "/Shop/index.htm");
    EXPECT_EQ(program.Read("home/Shop/stt.css"), "A.menu { color : #fff; }\r\n");
}

TEST_F(NewMenuTest, UserStylesAreSavedListedAppliedAndDeleted) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (size_t i = 0; i < kStyleFileLines; ++i)
        entries.emplace_back(StyleLineName(DefaultStyleLines()[i]), StyleLineValue(DefaultStyleLines()[i]));
    entries[1].second = "33";
    // Made from Hot summer, it takes over that style's sheet.
    SaveUserStyle(workspace, "Mine", entries, &hotSummer);
    SaveUserStyle(workspace, "Plain", entries, nullptr);
    program.Write("Styles/User/notes.txt", "not a style");
    EXPECT_EQ(ListUserStyles(workspace), (std::vector<std::string>{"Mine", "Plain"}));

    const StyleChoice mine{StyleOrigin::User, "Mine"};
    CreateNewMenu(workspace, preview, PrepareNewMenu(workspace, home, "M", mine));
    EXPECT_EQ(SlotLine(program.Read("home/M/sys.js")), "var s1 = 33;");
    EXPECT_EQ(program.Read("home/M/stt.css"), "A.menu { color : #fff; }\r\n");

    program.Write("Styles/User/Mine.jpg", "picture");
    DeleteUserStyle(workspace, "Mine");
    EXPECT_EQ(ListUserStyles(workspace), std::vector<std::string>{"Plain"});
    EXPECT_FALSE(fs::exists(program.File("Styles/User/Mine.jpg")));
}

}  // namespace
}  // namespace tavel
