#include "project/GenerateCode.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

using test::RecordingPreview;

class GenerateCodeTest : public ::testing::Test {
protected:
    GenerateCodeTest() : workspace(program.path() + "/") {
        std::filesystem::create_directory(program.File("system"));
        program.Write("system/temp.js", "old template script\r\n");
    }

    test::TempFolder program;
    test::TempFolder projects;
    Workspace workspace;
    RecordingPreview preview;
};

TEST_F(GenerateCodeTest, DefaultProjectRewritesTheTemplateAndReloadsOnly) {
    test::BuildTree(workspace.Tree(), test::ExampleRows());
    GenerateCode(workspace, preview);
    EXPECT_EQ(workspace.Texts().script, test::ExampleScript());
    EXPECT_EQ(program.Read("system/temp.js"), test::ExampleScript());
    EXPECT_EQ(preview.calls, std::vector<std::string>{"reload"});
    EXPECT_FALSE(workspace.Modified());

    workspace.MarkModified();
    GenerateCode(workspace, preview);
    EXPECT_TRUE(workspace.Modified());
}

TEST_F(GenerateCodeTest, OpenProjectGetsItsTempJsAndThePreviewShowsItsPage) {
    test::BuildTree(workspace.Tree(), test::ExampleRows());
    for (std::string folder : {projects.path(), projects.path() + "/"}) {
        preview.calls.clear();
        workspace.SetProject(folder, "Shop");
        GenerateCode(workspace, preview);
        EXPECT_EQ(projects.Read("temp.js"), test::ExampleScript());
        EXPECT_EQ(preview.calls, (std::vector<std::string>{
                                     "navigate file:\\\\\\" + projects.path() + "/index.htm", "reload"}))
            << folder;
    }
    EXPECT_EQ(program.Read("system/temp.js"), "old template script\r\n");
}

TEST_F(GenerateCodeTest, EmptyTreeReplacesTheTextButNotTheFileOrThePage) {
    workspace.Texts().script = "something\r\n";
    GenerateCode(workspace, preview);
    EXPECT_EQ(workspace.Texts().script, "var theMenu = new Array();\r\n");
    EXPECT_EQ(program.Read("system/temp.js"), "old template script\r\n");
    EXPECT_TRUE(preview.calls.empty());

    // Only separators: not empty, so the header is written and shown.
    workspace.Tree().AppendSibling(nullptr, {MenuItemKind::Separator, "----------", "", ""});
    GenerateCode(workspace, preview);
    EXPECT_EQ(program.Read("system/temp.js"), "var theMenu = new Array();\r\n");
    EXPECT_EQ(preview.calls, std::vector<std::string>{"reload"});
}

TEST_F(GenerateCodeTest, AFailedWriteKeepsTheTextAsTheFileHoldsItAndLeavesThePreviewAlone) {
    test::BuildTree(workspace.Tree(), test::ExampleRows());
    workspace.SetProject(projects.File("gone"), "gone");
    workspace.Texts().script = "as read\r\n";
    EXPECT_THROW(GenerateCode(workspace, preview), FileError);
    EXPECT_EQ(workspace.Texts().script, "as read\r\n");
    EXPECT_TRUE(preview.calls.empty());
}

}  // namespace
}  // namespace tavel
