#include "platform/AtomicFileBatch.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "platform/StagedFile.h"
#include "platform/TextFile.h"
#include "platform/WriteJournal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tavel {
namespace {

namespace fs = std::filesystem;

size_t EntriesIn(const std::string& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFileBatchTest, NothingChangesUntilCommitWhichKeepsModesAndFollowsLinks) {
    test::TempFolder folder;
    {
        AtomicFileBatch dropped;  // never committed
        dropped.Add(folder.File("a.htm"), "new a");
    }
    EXPECT_EQ(EntriesIn(folder.path()), 0u) << "temporary files are removed";
    folder.Write("real.htm", "old");
    ::chmod(folder.File("real.htm").c_str(), 0640);
    fs::create_symlink(folder.File("real.htm"), folder.File("link.htm"));
    AtomicFileBatch batch;
    batch.Add(folder.File("link.htm"), "through the link");
    batch.Add(folder.File("twice.htm"), "first");
    batch.Add(folder.File("twice.htm"), "second");
    EXPECT_FALSE(fs::exists(folder.File("twice.htm")));
    EXPECT_THROW(batch.Add(folder.File("missing/x.htm"), "x"), FileError);
    batch.Commit();
    EXPECT_TRUE(fs::is_symlink(folder.File("link.htm")));
    EXPECT_EQ(folder.Read("real.htm"), "through the link");
    EXPECT_EQ(fs::status(folder.File("real.htm")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder.Read("twice.htm"), "second");
    EXPECT_EQ(EntriesIn(folder.path()), 3u);
}

TEST(AtomicFileBatchTest, AReadOnlyFileIsNeitherReplacedNorRemoved) {
    test::TempFolder folder;
    folder.Write("kept.css", "old");
    ::chmod(folder.File("kept.css").c_str(), 0444);
    folder.Write("free.htm", "old");
    for (const bool removing : {false, true}) {
        AtomicFileBatch batch;
        batch.Add(folder.File("free.htm"), "new");
        try {
            removing ? batch.Remove(folder.File("kept.css")) : batch.Add(folder.File("kept.css"), "new");
            ADD_FAILURE() << "a read-only file was taken";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find(folder.File("kept.css") + "\". The file is read-only."),
                      std::string::npos);
        }
    }
    EXPECT_EQ(folder.Read("kept.css"), "old");
    EXPECT_EQ(folder.Read("free.htm"), "old");
    EXPECT_EQ(EntriesIn(folder.path()), 2u);
}

// A link is written through to its target, made when it is not there yet,
// as long as the target lies in the folder a batch is kept inside; beyond
// it the link is refused and nothing is written. Owner, group and extended
// attributes of a replaced file stay.
TEST(AtomicFileBatchTest, LinksAreFollowedOnlyInsideAndAReplacedFileKeepsWhatTheUserSet) {
    test::TempFolder folder;
    test::TempFolder outside;
    fs::create_directory(folder.File("sub"));
    outside.Write("far.htm", "far");
    folder.Write("sub/near.htm", "near");
    const struct {
        std::string link;
        std::string target;
        std::string written;  // the file that takes the bytes; empty: refused
    } cases[] = {
        {"near", "sub/near.htm", folder.File("sub/near.htm")},
        {"new", "sub/new.htm", folder.File("sub/new.htm")},
        {"far", outside.File("far.htm"), ""},
        {"none", outside.File("none.htm"), ""},
        {"lost", "missing/x.htm", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        fs::create_symlink(c.target, folder.File(c.link));
        AtomicFileBatch batch;
        batch.KeepInside(folder.path());
        try {
            batch.Add(folder.File(c.link), "new " + c.link);
            batch.Commit();
            EXPECT_FALSE(c.written.empty()) << "written through";
        } catch (const FileError& error) {
            EXPECT_TRUE(c.written.empty()) << error.what();
        }
        EXPECT_TRUE(fs::is_symlink(folder.File(c.link)));
        if (!c.written.empty()) EXPECT_EQ(test::ReadBinary(c.written), "new " + c.link);
    }
    EXPECT_EQ(outside.Read("far.htm"), "far");
    EXPECT_FALSE(fs::exists(outside.File("none.htm")));

    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser gives a file away";
    folder.Write("owned.htm", "old");
    ASSERT_EQ(::chown(folder.File("owned.htm").c_str(), 1234, 5678), 0);
    if (::setxattr(folder.File("owned.htm").c_str(), "user.tavel", "kept", 4, 0) != 0)
        GTEST_SKIP() << "no extended attributes here";
    WriteTextFile(folder.File("owned.htm"), "new");
    struct stat st {};
    ASSERT_EQ(::stat(folder.File("owned.htm").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 5678u);
    char value[8] = {};
    EXPECT_EQ(::getxattr(folder.File("owned.htm").c_str(), "user.tavel", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
    EXPECT_TRUE(TakeWriteNotices().empty());
}

// The batch flushes what it touched: each new file before any rename, and
// the folder after the renames, the renames back after a failure included.
TEST(AtomicFileBatchTest, FlushesEachNewFileBeforeTheRenamesAndTheFolderAfterAnyRename) {
    test::TempFolder folder;
    folder.Write("a.htm", "old a");
    for (const size_t failingRename : {size_t{0}, size_t{2}}) {
        test::StepFailure steps;
        AtomicFileBatch batch;
        batch.Add(folder.File("a.htm"), "new a");
        batch.Add(folder.File("b.htm"), "new b");
        if (failingRename != 0) {
            // Fails the second rename: the first is then taken back.
            struct FailRename : FileStepWatcher {
                int BeforeStep(FileStep step, const char* path) override {
                    inner->BeforeStep(step, path);
                    return step == FileStep::Rename && ++renames == 2 ? EIO : 0;
                }
                FileStepWatcher* inner = nullptr;
                int renames = 0;
            } failing;
            failing.inner = SetFileStepWatcher(&failing);
            EXPECT_THROW(batch.Commit(), FileError);
            SetFileStepWatcher(failing.inner);
        } else {
            batch.Commit();
        }
        std::set<std::string> flushed;  // before the first rename
        std::set<std::string> renamedFrom;
        size_t lastRename = 0;
        for (size_t i = 0; i < steps.steps.size(); ++i) {
            const auto& step = steps.steps[i];
            if (step.kind == FileStep::Sync && lastRename == 0) flushed.insert(step.path);
            if (step.kind == FileStep::Rename) lastRename = i;
            if (step.kind == FileStep::Open && step.path.find(".new.") != std::string::npos) renamedFrom.insert(step.path);
        }
        ASSERT_EQ(renamedFrom.size(), 2u);
        for (const std::string& temp : renamedFrom) EXPECT_EQ(flushed.count(temp), 1u) << temp;
        bool folderFlushedLast = false;
        for (size_t i = lastRename + 1; i < steps.steps.size(); ++i)
            folderFlushedLast = folderFlushedLast || (steps.steps[i].kind == FileStep::Sync && steps.steps[i].path == folder.path());
        EXPECT_TRUE(folderFlushedLast) << "failing rename " << failingRename;
    }
}

// Without hard links (FAT) the old version is kept as a copy: the commit
// goes through, and a failure after the first rename still puts it back.
TEST(AtomicFileBatchTest, AFileSystemWithoutLinksKeepsCopiesAndStillRollsBack) {
    struct NoLinks : FileStepWatcher {
        NoLinks(int failingRename, int reason) : failingRename(failingRename), reason(reason) {}
        ~NoLinks() override { SetFileStepWatcher(previous); }
        int BeforeStep(FileStep step, const char*) override {
            if (step == FileStep::Link) return reason;
            return step == FileStep::Rename && ++renames == failingRename ? EIO : 0;
        }
        int failingRename;
        int reason;
        int renames = 0;
        FileStepWatcher* previous = SetFileStepWatcher(this);
    };
    test::TempFolder folder;
    // Every reason a file system gives for having no links.
    for (const int reason : {EPERM, EOPNOTSUPP, EMLINK, ENOSYS})
    for (const int failingRename : {2, 0}) {
        SCOPED_TRACE(std::to_string(reason) + ", failing rename " + std::to_string(failingRename));
        folder.Write("a.htm", "old a");
        folder.Write("b.htm", "old b");
        ::chmod(folder.File("a.htm").c_str(), 0640);
        NoLinks noLinks(failingRename, reason);
        AtomicFileBatch batch;
        batch.Add(folder.File("a.htm"), "new a");
        batch.Add(folder.File("b.htm"), "new b");
        if (failingRename != 0)
            EXPECT_THROW(batch.Commit(), FileError);
        else
            batch.Commit();
        EXPECT_EQ(folder.Read("a.htm") + folder.Read("b.htm"), failingRename != 0 ? "old aold b" : "new anew b");
        EXPECT_EQ(fs::status(folder.File("a.htm")).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        EXPECT_EQ(EntriesIn(folder.path()), 2u);
    }
}

// A write killed at any step is finished or undone as a whole by the next
// start, which says so in one line when files had been part old, part new;
// a user's own files that look like a write's are never taken.
TEST(AtomicFileBatchTest, AWriteKilledAtAnyStepEndsWhollyOldOrWhollyNew) {
    using Files = std::map<std::string, std::string>;
    const Files before = {{"a.htm", "old a"}, {"c.htm", "old c"}};
    const Files after = {{"a.htm", "new a"}, {"b.htm", "new b"}};
    const Files users = {{".a.htm.tavel-new-Ab12Cd", "a user's"}, {".tavel-write-Ab12Cd/0.new.a.htm", "a user's"}};
    test::TempFolder folder;
    const auto batch = [&] {
        AtomicFileBatch write;
        write.Add(folder.File("a.htm"), "new a");
        write.Add(folder.File("b.htm"), "new b");
        write.Remove(folder.File("c.htm"));
        write.Commit();
    };
    // Everything but the user's files; with `projectOnly`, the folder's own
    // files without what a write keeps in its folder.
    const auto onDisk = [&](bool projectOnly) {
        Files files;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
            if (!entry.is_directory()) files[fs::relative(entry.path(), folder.path()).string()] = folder.Read(fs::relative(entry.path(), folder.path()).string());
        for (const auto& [name, bytes] : users) files.erase(name);
        if (projectOnly) std::erase_if(files, [](const auto& file) { return file.first.find('/') != std::string::npos; });
        return files;
    };
    // A link named like a write's folder, to a folder that holds a write's
    // journal, is not a write of this folder: it is never followed.
    test::TempFolder elsewhere;
    const auto reset = [&] {
        fs::remove_all(folder.path());
        fs::create_directories(folder.File(".tavel-write-Ab12Cd"));
        for (const auto& files : {before, users})
            for (const auto& [name, bytes] : files) folder.Write(name, bytes);
        elsewhere.Write("journal", std::string(kJournalHeader) + "replace 0 0 a.htm\ncommit\n");
        elsewhere.Write("0.new.a.htm", "not this folder's");
        fs::create_directory_symlink(elsewhere.path(), folder.File(".tavel-write-Lnk123"));
    };
    size_t steps = 0;
    size_t secondRename = 0;
    {
        reset();
        test::StepFailure counter;
        batch();
        steps = counter.steps.size();
        for (size_t i = 0, renames = 0; i < steps && secondRename == 0; ++i)
            if (counter.steps[i].kind == FileStep::Rename && ++renames == 2) secondRename = i + 1;
    }
    ASSERT_NE(secondRename, 0u);
    // Killed on the way forward, and killed while a failed second rename
    // was being taken back.
    for (const size_t failAt : {size_t{0}, secondRename}) {
        size_t mixed = 0;
        for (size_t step = failAt + 1; step <= steps + 1; ++step) {
            SCOPED_TRACE("kill at step " + std::to_string(step) + ", failing step " + std::to_string(failAt));
            reset();
            if (test::RunKilledAtStep(batch, step, failAt) != test::ChildEnd::Killed) {
                EXPECT_GT(step, failAt == 0 ? steps : failAt);
                continue;
            }
            const Files cut = onDisk(true);
            const bool wasMixed = cut.count("b.htm") == 0 ? cut.at("a.htm") == "new a" || cut.count("c.htm") == 0
                                                          : cut.count("c.htm") != 0 || cut.at("a.htm") != "new a";
            mixed += wasMixed;
            const std::string message = RecoverInterruptedWrites(folder.path());
            const Files recovered = onDisk(false);
            EXPECT_TRUE(recovered == before || recovered == after) << ::testing::PrintToString(recovered);
            const std::string how = recovered == before ? "undone, so every file it wrote is as it was before."
                                                        : "finished, so every file it wrote is new.";
            EXPECT_EQ(message, recovered == cut ? "" : "Repaired \"" + folder.path() + "\": a write cut short there was " + how);
            for (const auto& [name, bytes] : users) EXPECT_EQ(folder.Read(name), bytes);
        }
        EXPECT_GE(mixed, 2u) << "no kill fell between two renames";
    }
}

}  // namespace
}  // namespace tavel
