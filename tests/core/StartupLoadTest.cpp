#include "project/StartupLoad.h"

#include "TestSupport.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

class StartupLoadTest : public ::testing::Test {
protected:
    StartupLoadTest() : workspace(program.path()) {
        std::filesystem::create_directory(program.File("system"));
        program.Write("system/temp.js", test::ExampleScript());
        program.Write("system/index.htm", "<html>\n</html>");
        program.Write("system/stt.css", "A.menu {}\r\n");
        program.Write("system/sys.js", "function buildMenu(n) {}\r\n");
    }

    test::TempFolder program;
    Workspace workspace;
    test::RecordingPreview preview;
};

TEST_F(StartupLoadTest, ReadsTheTemplateTextsAndBuildsTheTree) {
    workspace.SetProject("/elsewhere", "Old");
    workspace.MarkModified();
    StartupLoadResult result = LoadDefaultProject(workspace, preview);
    EXPECT_TRUE(result.failures.empty());
    EXPECT_TRUE(result.treeBuilt);
    EXPECT_TRUE(workspace.IsDefaultProject());
    EXPECT_EQ(workspace.ProjectName(), "");
    EXPECT_FALSE(workspace.Modified());
    EXPECT_EQ(workspace.Texts().page, "<html>\r\n</html>");
    EXPECT_EQ(workspace.Texts().runtime, "function buildMenu(n) {}\r\n");
    EXPECT_EQ(workspace.Tree().Count(), 10u);
    EXPECT_EQ(preview.calls,
              std::vector<std::string>{"navigate file:\\\\\\" + program.path() + "/system/index.htm"});
}

TEST_F(StartupLoadTest, EachMissingFileCostsOnlyItsOwnText) {
    std::filesystem::remove(program.File("system/index.htm"));
    std::filesystem::remove(program.File("system/sys.js"));
    StartupLoadResult result = LoadDefaultProject(workspace, preview);
    ASSERT_EQ(result.failures.size(), 2u);
    EXPECT_NE(result.failures[0].find(program.File("system/index.htm")), std::string::npos);
    EXPECT_NE(result.failures[1].find(program.File("system/sys.js")), std::string::npos);
    EXPECT_EQ(workspace.Texts().page, "");
    EXPECT_EQ(workspace.Texts().styleSheet, "A.menu {}\r\n");
    EXPECT_TRUE(result.treeBuilt);
    const std::string message = StartupFailureMessage(result.failures);
    EXPECT_NE(message.find("index.htm"), std::string::npos);
    EXPECT_NE(message.find("sys.js"), std::string::npos);
}

TEST_F(StartupLoadTest, NoTreeWithoutItsScript) {
    test::BuildTree(workspace.Tree(), test::ExampleRows());
    std::filesystem::remove(program.File("system/temp.js"));
    StartupLoadResult result = LoadDefaultProject(workspace, preview);
    EXPECT_FALSE(result.treeBuilt);
    EXPECT_EQ(workspace.Tree().Count(), 0u);
    EXPECT_EQ(workspace.Texts().script, "");
    EXPECT_EQ(workspace.Texts().page, "<html>\r\n</html>");
}

TEST_F(StartupLoadTest, AMenuTooLargeToReadIsReportedWithWhatWasRead) {
    std::string script = "var theMenu = new Array();\r\n";
    for (int i = 0; i < 1500; ++i) script += "theMenu[0] = new Array(\"x\", \"a\"); a[0]\r\n";
    program.Write("system/temp.js", script);
    StartupLoadResult result = LoadDefaultProject(workspace, preview);
    ASSERT_EQ(result.failures.size(), 1u);
    EXPECT_NE(result.failures[0].find("system/temp.js"), std::string::npos);
    EXPECT_NE(result.failures[0].find("1000000"), std::string::npos);
    EXPECT_EQ(workspace.Tree().Count(), 1'000'000u);
}

}  // namespace
}  // namespace tavel
