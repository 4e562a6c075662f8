#include "platform/TextFile.h"

#include "TestSupport.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace tavel {
namespace {

TEST(NormalizeLineBreaks, TurnsLoneCrAndLoneLfIntoCrLf) {
    EXPECT_EQ(NormalizeLineBreaks("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(NormalizeLineBreaks("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks(""), "");
    EXPECT_EQ(NormalizeLineBreaks(std::string("a\0b\r", 4)), std::string("a\0b\r\n", 5));
}

TEST(TextFile, ReadsBytesAsTheyAreApartFromLineBreaks) {
    test::TempFolder folder;
    folder.Write("t.js", "caf\xe9\nx\r");
    EXPECT_EQ(ReadTextFile(folder.File("t.js")), "caf\xe9\r\nx\r\n");
}

TEST(TextFile, WriteStoresExactlyWhatIsHeld) {
    test::TempFolder folder;
    const std::string bytes = "no break at end\r\nlone\ncr\r";
    WriteTextFile(folder.File("t.js"), bytes);
    EXPECT_EQ(folder.Read("t.js"), bytes);
    WriteTextFile(folder.File("t.js"), "");
    EXPECT_EQ(folder.Read("t.js"), "");
}

TEST(TextFile, ReadOfAMissingFileNamesIt) {
    test::TempFolder folder;
    const std::string path = folder.File("missing.js");
    try {
        ReadTextFile(path);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ReadTextFile(folder.path()), FileError);
}

// Only regular files are read, up to the limit: a pipe is refused before it
// is opened (opening it would wait for a writer), a device that never ends
// is refused, and so is a file over the limit, with its size.
TEST(TextFile, ReadsOnlyRegularFilesUpToTheLimit) {
    test::TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.File("temp.js").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.File("zero.js"));
    const auto sized = [&](const std::string& name, unsigned long long size) {
        folder.Write(name, "");
        std::filesystem::resize_file(folder.File(name), size);
        return name;
    };
    const struct {
        std::string name;
        std::string refusal;  // empty: read whole
    } cases[] = {
        {"temp.js", "\". It is not a regular file."},
        {"zero.js", "\". It is not a regular file."},
        {sized("over.js", kReadLimit + 1), "\". It is 64.0 MB (67108865 bytes); files of up to 64.0 MB"},
        {sized("full.js", kReadLimit), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.refusal.empty()) {
            EXPECT_EQ(ReadFileBytes(folder.File(c.name)).size(), kReadLimit);
            continue;
        }
        const std::string message = test::ThrownMessage<FileError>([&] { ReadTextFile(folder.File(c.name)); });
        EXPECT_TRUE(test::Mentions(message, "Cannot open file \"" + folder.File(c.name) + c.refusal));
    }
}

// A write that fails must leave the earlier file whole and name the target.
void ExpectFailedWriteKeeps(const std::string& path, const std::string& before,
                            const std::function<std::string()>& readBack) {
    try {
        WriteTextFile(path, "new text that must not land");
        FAIL() << "write into " << path << " did not fail";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(readBack(), before);
}

TEST(TextFile, FailedWriteOverADirectoryChangesNothing) {
    test::TempFolder folder;
    std::filesystem::create_directory(folder.File("temp.js"));
    folder.Write("temp.js/inside", "kept");
    ExpectFailedWriteKeeps(folder.File("temp.js"), "kept", [&] { return folder.Read("temp.js/inside"); });
}

TEST(TextFile, FailedWriteIntoAMissingFolderRaisesFileError) {
    test::TempFolder folder;
    ExpectFailedWriteKeeps(folder.File("gone/temp.js"), "", [] { return std::string(); });
}

TEST(TextFile, FailedWriteIntoAReadOnlyFolderKeepsTheOldFileByteForByte) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    test::TempFolder folder;
    const std::string before = "var theMenu = new Array();\r\nold\r\n";
    folder.Write("temp.js", before);
    ::chmod(folder.path().c_str(), 0555);
    ExpectFailedWriteKeeps(folder.File("temp.js"), before, [&] { return folder.Read("temp.js"); });
}

TEST(TextFile, FailedWriteToAFullDeviceKeepsTheOldFile) {
    // The temporary file is written before anything is renamed, so running out
    // of space is caught while the old file is still in place. A small tmpfs
    // is not at hand in every sandbox; a file size limit does the same.
    test::TempFolder folder;
    const std::string before(100, 'o');
    folder.Write("temp.js", before);
    pid_t child = ::fork();
    if (child == 0) {
        struct rlimit limit {4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
        try {
            WriteTextFile(folder.File("temp.js"), std::string(1 << 20, 'n'));
        } catch (const FileError&) {
            ::_exit(0);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the oversized write was reported as success";
    EXPECT_EQ(folder.Read("temp.js"), before);
    // No temporary file is left behind.
    size_t entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(TextFile, WriteKeepsPermissionsAndReplacesTheFileALinkPointsAt) {
    test::TempFolder folder;
    folder.Write("real.css", "old");
    ::chmod(folder.File("real.css").c_str(), 0640);
    std::filesystem::create_symlink(folder.File("real.css"), folder.File("link.css"));
    WriteTextFile(folder.File("link.css"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.css")));
    EXPECT_EQ(folder.Read("real.css"), "new");
    struct stat st {};
    ::stat(folder.File("real.css").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace tavel
