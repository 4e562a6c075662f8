#include "platform/AtomicFileBatch.h"

#include "TestSupport.h"
#include "platform/FileError.h"
#include "platform/StagedFile.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

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

// Without hard links (FAT) the old version is kept as a copy: the commit
// goes through, and a failure after the first rename still puts it back.
TEST(AtomicFileBatchTest, AFileSystemWithoutLinksKeepsCopiesAndStillRollsBack) {
    struct NoLinks : FileStepWatcher {
        explicit NoLinks(int failingRename) : failingRename(failingRename) {}
        ~NoLinks() override { SetFileStepWatcher(previous); }
        int BeforeStep(FileStep step, const char*) override {
            if (step == FileStep::Link) return EPERM;
            return step == FileStep::Rename && ++renames == failingRename ? EIO : 0;
        }
        int failingRename;
        int renames = 0;
        FileStepWatcher* previous = SetFileStepWatcher(this);
    };
    test::TempFolder folder;
    folder.Write("a.htm", "old a");
    folder.Write("b.htm", "old b");
    ::chmod(folder.File("a.htm").c_str(), 0640);
    for (const int failingRename : {2, 0}) {
        NoLinks noLinks(failingRename);
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

// What a crash leaves beside the files goes with the next write into that
// folder, unless another write is running there.
TEST(AtomicFileBatchTest, LeftoversOfACrashGoWithTheNextWriteThatRunsAlone) {
    test::TempFolder folder;
    const std::vector<std::string> leftovers = {".a.htm.tavel-new-Ab12Cd", ".sys.js.tavel-old-xyZ789"};
    {
        AtomicFileBatch running;
        running.Add(folder.File("a.htm"), "a");
        for (const std::string& name : leftovers) folder.Write(name, "left");
        folder.Write(".tavel-new-Ab12Cd", "a user's");
        folder.Write(".a.htm.tavel-new-Ab12", "a user's");
        for (const std::string& name : leftovers) EXPECT_TRUE(IsSideFileName(name)) << name;
        AtomicFileBatch second;
        second.Add(folder.File("b.htm"), "b");
        second.Commit();
        for (const std::string& name : leftovers) EXPECT_TRUE(fs::exists(folder.File(name))) << name;
        running.Commit();
    }
    WriteTextFile(folder.File("c.htm"), "c");
    for (const std::string& name : leftovers) EXPECT_FALSE(fs::exists(folder.File(name))) << name;
    EXPECT_EQ(EntriesIn(folder.path()), 5u);
}

}  // namespace
}  // namespace tavel
