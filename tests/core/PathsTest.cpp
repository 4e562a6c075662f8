#include "platform/Paths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavel {
namespace {

TEST(FolderOfPath, KeepsEverythingUpToTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FolderOfPath("C:\\Menus\\Shop\\temp.js"), "C:\\Menus\\Shop\\");
    EXPECT_EQ(FolderOfPath("/home/ann/Shop/menu.js"), "/home/ann/Shop/");
    EXPECT_EQ(FolderOfPath("C:\\Menus/Shop\\x.js"), "C:\\Menus/Shop\\");
    EXPECT_EQ(FolderOfPath("C:\\temp.js"), "C:\\");
    EXPECT_EQ(FolderOfPath("temp.js"), "");
    EXPECT_EQ(FolderOfPath(""), "");
}

TEST(ParentFolderName, NamesTheFolderThatHoldsTheFile) {
    EXPECT_EQ(ParentFolderName("C:\\Menus\\Shop\\temp.js"), "Shop");
    EXPECT_EQ(ParentFolderName("/home/ann/Shop/any.js"), "Shop");
    // A drive root: everything before the only separator.
    EXPECT_EQ(ParentFolderName("C:\\temp.js"), "C:");
    // The root folder of this platform has no name.
    EXPECT_EQ(ParentFolderName("/temp.js"), "");
    EXPECT_EQ(ParentFolderName("temp.js"), "");
    EXPECT_EQ(ParentFolderName("a\\\\b.js"), "");
}

TEST(JoinPath, UsesExactlyOneSeparator) {
    EXPECT_EQ(JoinPath("/work/Menu1", "index.htm"), "/work/Menu1/index.htm");
    EXPECT_EQ(JoinPath("/work/Menu1/", "index.htm"), "/work/Menu1/index.htm");
    EXPECT_EQ(JoinPath("C:\\Menus\\Shop\\", "temp.js"), "C:\\Menus\\Shop\\temp.js");
}

TEST(ResolveProgramPath, MatchesComponentsWithoutRegardToCase) {
    test::TempFolder program;
    std::filesystem::create_directories(program.File("system"));
    std::filesystem::create_directories(program.File("Styles/Provided"));
    program.Write("system/style.ini", "x");
    const std::string root = program.path() + "/";

    // "System" and "system" name the one folder on a case-sensitive disk.
    EXPECT_EQ(ResolveProgramPath(root, "System\\style.ini"), program.File("system/style.ini"));
    EXPECT_EQ(ResolveProgramPath(root, "system\\temp.js"), program.File("system/temp.js"));
    EXPECT_EQ(ResolveProgramPath(root, "styles\\provided\\"), program.File("Styles/Provided"));
    // Nothing there yet: the path is kept as written, with this platform's separator.
    EXPECT_EQ(ResolveProgramPath(root, "Help\\Help.chm"), program.File("Help/Help.chm"));
}

TEST(ResolveProgramPath, PrefersTheExactSpellingWhenBothExist) {
    test::TempFolder program;
    std::filesystem::create_directories(program.File("System"));
    std::filesystem::create_directories(program.File("system"));
    EXPECT_EQ(ResolveProgramPath(program.path() + "/", "system\\x"), program.File("system/x"));
    EXPECT_EQ(ResolveProgramPath(program.path() + "/", "System\\x"), program.File("System/x"));
}

TEST(Locations, BothFileFormsNameALocalPath) {
    EXPECT_EQ(FileLocation("/p/index.htm"), "file:\\\\\\/p/index.htm");
    EXPECT_EQ(LocalPathOfLocation("file:\\\\\\/p/index.htm"), "/p/index.htm");
    EXPECT_EQ(LocalPathOfLocation("file:////p/Menu1/index.htm"), "/p/Menu1/index.htm");
    EXPECT_EQ(LocalPathOfLocation("file:///p/index.htm"), "/p/index.htm");
    EXPECT_EQ(LocalPathOfLocation("https://example.org/"), "");
}

}  // namespace
}  // namespace tavel
