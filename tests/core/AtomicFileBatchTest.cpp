#include "platform/AtomicFileBatch.h"

#include "TestSupport.h"
#include "platform/FileError.h"

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

}  // namespace
}  // namespace tavel
