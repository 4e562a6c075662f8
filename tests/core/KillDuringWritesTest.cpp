// The project commands killed at every rename: after the next start has
// mended what the kill left, every write the command makes is wholly old or
// wholly new, nothing of the writes stays behind, and the user is told in
// one line when files were part old, part new.
#include "TestSupport.h"
#include "WritingCommands.h"
#include "platform/WriteJournal.h"

#include <gtest/gtest.h>

#include <set>

namespace tavel {
namespace {

using test::Disk;
using test::World;
namespace fs = std::filesystem;

// The disk without the folders writes keep for themselves, and those folders.
std::pair<Disk, std::set<std::string>> Split(const Disk& disk) {
    std::pair<Disk, std::set<std::string>> split;
    for (const auto& [name, bytes] : disk) {
        const auto work = name.find(kWorkFolderPrefix);
        if (work == std::string::npos)
            split.first[name] = bytes;
        else
            split.second.insert(name.substr(0, name.find('/', work)));
    }
    return split;
}

bool StartsBatch(const test::StepFailure::Step& step) {
    return step.kind == FileStep::MakeFolder && step.path.find(kWorkFolderPrefix) != std::string::npos;
}

TEST(KillDuringWritesTest, EveryCommandKilledAtEveryRenameEndsWithEachWriteWhole) {
    const std::set<std::string> killed = {"Save", "Save as", "New Menu Skin only", "Page Design", "Create site"};
    size_t kills = 0;
    for (const test::Command& command : test::Commands()) {
        if (killed.count(command.name) == 0) continue;
        SCOPED_TRACE(command.name);
        std::vector<test::StepFailure::Step> steps;
        std::set<Disk> allowed;  // as before, as after, and between two writes
        {
            World world;
            allowed.insert(world.OnDisk());
            test::StepFailure counter;
            command.run(world);
            steps = counter.steps;
            allowed.insert(world.OnDisk());
        }
        for (size_t step = 1; step <= steps.size(); ++step) {
            if (!StartsBatch(steps[step - 1])) continue;
            World world;
            ASSERT_EQ(test::RunKilledAtStep([&] { command.run(world); }, step), test::ChildEnd::Killed);
            allowed.insert(Split(world.OnDisk()).first);
        }
        size_t mended = 0;
        for (size_t step = 1; step <= steps.size(); ++step) {
            if (steps[step - 1].kind != FileStep::Rename) continue;
            SCOPED_TRACE("killed before step " + std::to_string(step) + ", rename to " + steps[step - 1].path);
            World world;
            ASSERT_EQ(test::RunKilledAtStep([&] { command.run(world); }, step), test::ChildEnd::Killed);
            ++kills;
            const auto [cut, works] = Split(world.OnDisk());
            // The next start: the open project is opened again, every other
            // folder is mended by the next write into it.
            const std::string shop = world.root.File("projects/Shop");
            std::vector<std::string> lines;
            for (const std::string& work : works) {
                const std::string folder = world.root.File(fs::path(work).parent_path().string());
                if (fs::equivalent(folder, shop)) {
                    Workspace reopened(world.root.File("program"));
                    test::RecordingPreview preview;
                    OpenProject(reopened, preview, shop + "/temp.js");
                    for (std::string& line : TakeWriteNotices()) lines.push_back(line);
                } else if (std::string line = RecoverInterruptedWrites(folder); !line.empty()) {
                    lines.push_back(line);
                }
            }
            const Disk after = world.OnDisk();
            EXPECT_EQ(allowed.count(after), 1u) << "a write was left part old, part new";
            EXPECT_TRUE(Split(after).second.empty()) << "a write's folder stayed";
            // A write that had put its files in place, or whose remaining
            // files hold what they held, may be finished with a word or none.
            if (after == cut && lines.empty()) continue;
            mended += after != cut;
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_TRUE(test::Mentions(lines[0], "Repaired \"" + world.root.path() + "/"));
            EXPECT_TRUE(test::Mentions(lines[0], "a write cut short there was finished, so every file it wrote is new."));
        }
        EXPECT_GT(mended, 0u) << "no kill left a write part done";
    }
    EXPECT_GT(kills, 20u);
}

}  // namespace
}  // namespace tavel
