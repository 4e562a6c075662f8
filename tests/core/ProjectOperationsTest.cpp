#include "project/ProjectOperations.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "project/Workspace.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

namespace fs = std::filesystem;

const std::string kPage = "<html>page</html>\r\n";
const std::string kRuntime = "function buildMenu(n) {}\r\n";
const std::string kSheet = "A.menu {}\r\n";
const std::string kBlueLine = "table{ background-image: url(\"../buttons/blue.jpg\");}/*blue*/";

// A program folder with templates and two button images, a workspace on it
// holding the example menu as a modified default project, and a folder to
// save projects into.
class ProjectOperationsTest : public ::testing::Test {
protected:
    ProjectOperationsTest() : workspace(program.path()) {
        fs::create_directory(program.File("system"));
        fs::create_directory(program.File("buttons"));
        program.Write("buttons/blue.jpg", "blue-bytes");
        program.Write("buttons/red.jpg", "red-bytes");
        workspace.ButtonStyles().Fill(program.File("buttons"));
        test::BuildTree(workspace.Tree(), test::ExampleRows());
        workspace.Texts() = {"old script\r\n", kPage, kSheet, kRuntime};
        workspace.MarkModified();
    }

    // A project folder on disk with the given script.
    std::string WriteProject(const std::string& name, const std::string& script) {
        const std::string folder = disk.File(name);
        fs::create_directory(folder);
        disk.Write(name + "/temp.js", script);
        disk.Write(name + "/index.htm", "<p>" + name + "</p>\r\n");
        disk.Write(name + "/stt.css", "B {}\n");
        disk.Write(name + "/sys.js", "// " + name + "\r\n");
        return folder;
    }

    void SaveAs(const std::string& folder, const std::string& name) {
        SaveProjectAs(workspace, preview, workspace.ButtonStyles(), folder, name);
    }

    test::TempFolder program;
    test::TempFolder disk;
    Workspace workspace;
    test::RecordingPreview preview;
};

TEST(SaveQuestion, AsksOnlyAboutChangesAndNoAnswerLosesWork) {
    Workspace workspace("/nowhere/");
    EXPECT_FALSE(SaveChangesQuestion(workspace));  // clean: no question, the command goes on

    // Saved under an empty name, the project is its folder, not the default one.
    workspace.MarkModified();
    workspace.SetProject("/menus", "");
    EXPECT_EQ(SaveChangesQuestion(workspace), "Save changes to this project, \"/menus\"?");

    const struct {
        bool named;
        SaveAnswer answer;
        SaveChangesStep step;
    } table[] = {
        {false, SaveAnswer::Yes, SaveChangesStep::SaveAs},
        {true, SaveAnswer::Yes, SaveChangesStep::SaveProjectFolder},
        {true, SaveAnswer::No, SaveChangesStep::GoOn},
        // Cancel keeps the work the user chose to keep: the command ends.
        {false, SaveAnswer::Cancel, SaveChangesStep::Stop},
    };
    for (const auto& row : table) {
        workspace.SetProject(row.named ? "/menus/Shop" : "", row.named ? "Shop" : "");
        EXPECT_EQ(StepAfterAnswer(workspace, row.answer), row.step) << row.named << int(row.answer);
    }
}

TEST(ProjectPaths, SaveAsFolderAndTheProjectOfAChosenFile) {
    EXPECT_EQ(SaveAsFolder("/home/u/", "Menu1"), "/home/u/Menu1");
    EXPECT_EQ(SaveAsFolder("/home/u/Work", ""), "/home/u/Work");  // the folder itself
    // The root has no folder name: the root stands for it.
    const ChosenProject root = ProjectOfChosenFile("/temp.js");
    EXPECT_EQ(root.folder + "|" + root.name, "/|/");
}

TEST_F(ProjectOperationsTest, SaveWritesTheFourTextsAndClearsTheFlag) {
    // A named project, spelled with or without its final separator, and the
    // default project, which saves into the template folder.
    for (const std::string& folder : {disk.File("Shop"), disk.File("Shop") + "/", std::string()}) {
        workspace.MarkModified();
        workspace.SetProject(folder, folder.empty() ? "" : "Shop");
        SaveProjectTexts(workspace, preview, folder);
        const auto read = [&](const std::string& file) {
            return folder.empty() ? program.Read("system/" + file) : disk.Read("Shop/" + file);
        };
        EXPECT_EQ(read("temp.js") + read("index.htm") + read("stt.css") + read("sys.js"),
                  test::ExampleScript() + kPage + kSheet + kRuntime)
            << folder;
        EXPECT_FALSE(workspace.Modified());
    }

    // An empty tree saves the empty menu's script.
    workspace.Tree().Clear();
    workspace.SetProject(disk.File("Shop"), "Shop");
    SaveProjectTexts(workspace, preview, disk.File("Shop"));
    EXPECT_EQ(disk.Read("Shop/temp.js"), "var theMenu = new Array();\r\n");
}

TEST_F(ProjectOperationsTest, SaveAsWritesTheNewFolderAndSwitchesOnlyThen) {
    const std::string old = WriteProject("Old", "old on disk\r\n");
    workspace.SetProject(old, "Old");
    preview.calls.clear();
    SaveAs(disk.File("Menu1"), "Menu1");

    EXPECT_EQ(disk.Read("Menu1/temp.js"), test::ExampleScript());
    // The project being left is not written to, not even its temp.js.
    EXPECT_EQ(disk.Read("Old/temp.js"), "old on disk\r\n");

    EXPECT_EQ(workspace.ProjectFolder(), disk.File("Menu1"));
    EXPECT_EQ(workspace.ProjectName(), "Menu1");
    EXPECT_FALSE(workspace.Modified());
    EXPECT_EQ(preview.calls, std::vector<std::string>{"navigate file:///" + disk.File("Menu1/index.htm")});
    EXPECT_TRUE(OtherProjectFiles(workspace, disk.File("Menu1") + "/").empty());  // its own folder now
}

TEST_F(ProjectOperationsTest, SaveAsCarriesTheButtonImageIntoTheFolder) {
    ButtonStyleList& buttons = workspace.ButtonStyles();
    const struct {
        const char* what;
        std::string sheet;
        std::optional<size_t> selectedBefore;
        std::string saved;    // the style sheet as written into the folder
        const char* picture;  // written as table_bgcolor.jpg, or null
    } table[] = {
        {"line names an entry", kSheet + kBlueLine + "\r\n", std::nullopt,
         kSheet + "table{ background-image: url(\"table_bgcolor.jpg\");}/*blue*/\r\n", "blue-bytes"},
        {"line without its final break", kSheet + kBlueLine, std::nullopt,
         kSheet + "table{ background-image: url(\"table_bgcolor.jpg\");}/*blue*/\r\n", "blue-bytes"},
        {"unmatched, an entry selected", kSheet + "table{ background-image: url(\"x.jpg\");}/*gone*/\r\n", 2u,
         kSheet + "table{ background-image: url(\"table_bgcolor.jpg\");}/*red*/\r\n", "red-bytes"},
        {"unmatched, nothing selected", kSheet + "table{ background-image: url(\"x.jpg\");}/*gone*/\r\n",
         std::nullopt, kSheet + "table{ background-image: url(\"x.jpg\");}/*gone*/\r\n", nullptr},
    };
    int n = 0;
    for (const auto& row : table) {
        buttons.Fill(program.File("buttons"));  // no selection, no picture
        if (row.selectedBefore) {
            buttons.Select(*row.selectedBefore);
            buttons.LoadSelected();
        }
        workspace.Texts().styleSheet = row.sheet;
        const std::string name = "P" + std::to_string(n++);
        SaveAs(disk.File(name), name);
        EXPECT_EQ(disk.Read(name + "/stt.css"), row.saved) << row.what;
        if (row.picture)
            EXPECT_EQ(disk.Read(name + "/table_bgcolor.jpg"), row.picture) << row.what;
        else
            EXPECT_FALSE(fs::exists(disk.File(name + "/table_bgcolor.jpg"))) << row.what;
    }
}

TEST_F(ProjectOperationsTest, AFailedSaveAsChangesNothingAndNamesTheFile) {
    const std::string old = WriteProject("Old", "old on disk\r\n");
    workspace.SetProject(old, "Old");
    workspace.Texts().styleSheet = kSheet + kBlueLine + "\r\n";
    const ProjectTexts before = workspace.Texts();
    preview.calls.clear();

    const auto expectNothingChanged = [&](const std::string& what) {
        EXPECT_EQ(workspace.ProjectFolder(), old) << what;
        EXPECT_TRUE(workspace.Modified()) << what;
        EXPECT_EQ(workspace.Texts().styleSheet, before.styleSheet) << what;
        EXPECT_TRUE(preview.calls.empty()) << what;
        EXPECT_EQ(disk.Read("Old/temp.js"), "old on disk\r\n") << what;
    };

    // A folder that cannot be created (its parent is missing), and a file
    // that cannot be written (a folder stands where stt.css belongs).
    fs::create_directories(disk.File("Menu1/stt.css"));
    for (const auto& [target, failing] : {std::pair{disk.File("missing/Menu1"), disk.File("missing/Menu1")},
                                          std::pair{disk.File("Menu1"), disk.File("Menu1/stt.css")}}) {
        const std::string folder = target;  // clang 14 cannot capture a structured binding
        EXPECT_TRUE(test::Mentions(test::ThrownMessage<FileError>([&] { SaveAs(folder, "Menu1"); }), failing));
        expectNothingChanged(folder);
    }
}

TEST_F(ProjectOperationsTest, SaveAsOverAnotherProjectIsFound) {
    const std::string other = WriteProject("Other", "x\r\n");
    fs::remove(disk.File("Other/index.htm"));
    EXPECT_EQ(OtherProjectFiles(workspace, other), (std::vector<std::string>{"temp.js", "stt.css", "sys.js"}));
    EXPECT_TRUE(OtherProjectFiles(workspace, disk.File("Fresh")).empty());   // does not exist
    fs::create_directory(disk.File("Empty"));
    // The open project's own folder, however spelled, is not another project.
    workspace.SetProject(other + "/", "Other");
    EXPECT_TRUE(OtherProjectFiles(workspace, disk.File("Empty/../Other")).empty());
    // Nor is the template folder of the default project.
    workspace.SetProject("", "");
    program.Write("system/temp.js", "t\r\n");
    EXPECT_TRUE(OtherProjectFiles(workspace, program.File("system")).empty());
}

TEST_F(ProjectOperationsTest, OpenReadsTheChosenFilesFolder) {
    const std::string shop = WriteProject("Shop", test::ExampleScript());
    preview.calls.clear();
    const OpenResult result = OpenProject(workspace, preview, shop + "/whatever.js");
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(workspace.ProjectFolder(), shop + "/");
    EXPECT_EQ(workspace.ProjectName(), "Shop");
    EXPECT_EQ(workspace.Texts().styleSheet, "B {}\r\n");
    EXPECT_EQ(workspace.Tree().Count(), 10u);  // the example loses its top-level separator
    EXPECT_FALSE(workspace.Modified());
    EXPECT_EQ(preview.calls, std::vector<std::string>{"navigate file:\\\\\\" + shop + "/index.htm"});
}

TEST_F(ProjectOperationsTest, OpenIsAllOrNothing) {
    const std::string broken = WriteProject("Broken", "x\r\n");
    fs::remove(disk.File("Broken/index.htm"));
    fs::remove(disk.File("Broken/sys.js"));
    workspace.SetProject(disk.File("Old"), "Old");
    const size_t items = workspace.Tree().Count();
    const std::string message = test::ThrownMessage<FileError>([&] { OpenProject(workspace, preview, broken + "/temp.js"); });
    EXPECT_TRUE(test::Mentions(message, disk.File("Broken/index.htm")));
    EXPECT_TRUE(test::Mentions(message, disk.File("Broken/sys.js")));
    EXPECT_FALSE(test::Mentions(message, "stt.css"));
    EXPECT_EQ(workspace.ProjectFolder(), disk.File("Old"));
    EXPECT_EQ(workspace.Texts().page, kPage);
    EXPECT_EQ(workspace.Tree().Count(), items);
    EXPECT_TRUE(workspace.Modified());
    EXPECT_TRUE(preview.calls.empty());
}

TEST_F(ProjectOperationsTest, AScriptThatReadsAsNothingIsReported) {
    const std::string foreign = WriteProject("Foreign", "menu = [['Home', 'index.html']];\r\n");
    const OpenResult result = OpenProject(workspace, preview, foreign + "/temp.js");
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_NE(result.warnings[0].find(disk.File("Foreign/temp.js")), std::string::npos);
    EXPECT_EQ(workspace.Tree().Count(), 0u);

    // The empty menu's own script is no surprise.
    EXPECT_FALSE(UnreadScriptWarning("var theMenu = new Array();\r\n", 0, "temp.js"));

    // Lines that give no item are told on opening, before any save.
    const std::string typo = WriteProject("Typo", test::ExampleScript() + "theMnu[3] = new Array(\"T\", \"t.htm\");\r\n");
    const OpenResult dropped = OpenProject(workspace, preview, typo + "/temp.js");
    ASSERT_EQ(dropped.warnings.size(), 1u);
    EXPECT_EQ(dropped.warnings[0], "1 line of the menu data script \"" + disk.File("Typo/temp.js") +
                                       "\" holds no menu item that this program can read; saving the project will "
                                       "drop it. The first is line 15: theMnu[3] = new Array(\"T\", \"t.htm\");");
}

}  // namespace
}  // namespace tavel
