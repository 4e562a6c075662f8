// A tree that holds only part of its script must not be written back short
// without a question: the entries beyond the read limit would be lost.
#include "TestSupport.h"
#include "project/CommandDeclined.h"
#include "project/GenerateCode.h"
#include "project/ProjectOperations.h"
#include "project/Prompts.h"
#include "project/StartupLoad.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

namespace tavel {
namespace {

class ScriptedPrompts : public Prompts {
public:
    bool ConfirmWriteOverPartlyRead(const std::string& path, size_t itemsRead) override {
        asked.push_back(PartlyReadQuestion(path, itemsRead));
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::deque<bool> answers;
    std::vector<std::string> asked;
};

class PartlyReadScriptTest : public ::testing::Test {
protected:
    PartlyReadScriptTest() : workspace(program.path() + "/") {
        std::filesystem::create_directory(program.File("system"));
        // Four top-level entries, one more than the limit below.
        for (int i = 0; i < 4; ++i)
            script += "theMenu[" + std::to_string(i) + "] = new Array(\"Item" + std::to_string(i) + "\", \"i.html\");\r\n";
        program.Write("system/temp.js", script);
        workspace.Texts().script = script;
        workspace.SetPrompts(&prompts);
        const auto read = workspace.RebuildTreeFromScript(ScriptPath(), ScriptReadLimits{.maxItems = 3});
        EXPECT_TRUE(read.truncated);
        EXPECT_EQ(workspace.Tree().Count(), 3u);
    }
    std::string ScriptPath() const { return workspace.ProgramPath("system\\temp.js"); }

    test::TempFolder program;
    test::TempFolder elsewhere;
    std::string script = "var theMenu = new Array();\r\n";
    Workspace workspace;
    ScriptedPrompts prompts;
    test::RecordingPreview preview;
};

TEST_F(PartlyReadScriptTest, NoWritesNothingAndAsksAgainYesWritesAndEndsTheQuestion) {
    prompts.answers = {false, true};
    EXPECT_THROW(GenerateCode(workspace, preview), CommandDeclined);
    EXPECT_EQ(program.Read("system/temp.js"), script);
    EXPECT_EQ(workspace.Texts().script, script);  // the Database tab keeps the whole file
    EXPECT_TRUE(preview.calls.empty());
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(test::Mentions(prompts.asked[0], ScriptPath()));

    GenerateCode(workspace, preview);
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(program.Read("system/temp.js").find("Item3"), std::string::npos);
    GenerateCode(workspace, preview);  // asked once only
    EXPECT_EQ(prompts.asked.size(), 2u);
}

TEST_F(PartlyReadScriptTest, SaveAsksBeforeWritingAnyFileButSavingElsewhereDoesNot) {
    workspace.Texts().page = "page\r\n";
    workspace.MarkModified();
    prompts.answers = {false};
    EXPECT_THROW(SaveProjectTexts(workspace, preview, ""), CommandDeclined);
    EXPECT_FALSE(std::filesystem::exists(program.File("system/index.htm")));
    EXPECT_TRUE(workspace.Modified());

    // Under a new name the old file stays whole: no question.
    const std::string folder = elsewhere.path() + "/Copy";
    workspace.SetProject(folder, "Copy");
    SaveProjectTexts(workspace, preview, folder);
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(program.Read("system/temp.js"), script);
    EXPECT_FALSE(workspace.Modified());
}

TEST_F(PartlyReadScriptTest, WithoutAnyoneToAskTheWriteIsDeclinedAndAWholeReadAsksNothing) {
    workspace.SetPrompts(nullptr);
    EXPECT_THROW(GenerateCode(workspace, preview), CommandDeclined);
    EXPECT_EQ(program.Read("system/temp.js"), script);

    // Start-up reads the same file whole under the normal limits.
    for (const char* name : {"system/index.htm", "system/stt.css", "system/sys.js"}) program.Write(name, "x\r\n");
    LoadDefaultProject(workspace, preview);
    GenerateCode(workspace, preview);
    EXPECT_NE(program.Read("system/temp.js").find("Item3"), std::string::npos);
}

}  // namespace
}  // namespace tavel
