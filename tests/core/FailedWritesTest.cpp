// Every command that writes files, with each of its file steps failing in
// turn: the files are all as before (or all new, when only the clearing up
// after the commit failed, and then the command succeeds), the message names
// the file and the reason, and the workspace follows the disk.
#include "TestSupport.h"
#include "WritingCommands.h"
#include "platform/FileError.h"
#include "platform/StagedFile.h"
#include "platform/WriteJournal.h"
#include "project/GenerateCode.h"
#include "project/NewMenu.h"
#include "project/PageDesign.h"
#include "project/ProjectOperations.h"
#include "project/Workspace.h"
#include "tools/CreateSite.h"
#include "tools/PageIntegration.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace tavel {
namespace {

using test::Command;
using test::Commands;
using test::Disk;
using test::World;
namespace fs = std::filesystem;

// Whether a file step's path is the file, its folder, or the folder a write
// keeps beside it, or a file in there.
bool Concerns(const std::string& stepPath, const std::string& file) {
    if (stepPath == file || stepPath == FolderPart(file)) return true;
    for (std::string work : {stepPath, FolderPart(stepPath)}) {
        const std::string name = work.substr(work.find_last_of('/') + 1);
        if (IsWorkFolderName(name) && FolderPart(work) == FolderPart(file)) return true;
    }
    return false;
}

struct Outcome {
    Disk disk;
    std::string state;
    size_t steps = 0;
};

Outcome RunWhole(const std::function<void(World&)>& run) {
    World world;
    test::StepFailure counter;
    run(world);
    return {world.OnDisk(), world.State(), counter.steps.size()};
}

TEST(FailedWritesTest, EveryStepOfEveryWritingCommandFailsCleanly) {
    constexpr int kErrors[] = {ENOSPC, EACCES, EIO, EISDIR};
    const World pristine;
    const Disk diskBefore = pristine.OnDisk();
    const std::string stateBefore = pristine.State();
    const Outcome saved = RunWhole(Commands()[1].run);
    size_t pairs = 0;
    std::ostringstream counts;

    for (const Command& command : Commands()) {
        const Outcome whole = RunWhole(command.run);
        ASSERT_NE(whole.disk, diskBefore) << command.name << " wrote nothing";
        counts << (pairs == 0 ? "" : ", ") << command.name << " " << whole.steps;
        for (size_t step = 1; step <= whole.steps; ++step, ++pairs) {
            World world;
            const int error = kErrors[step % std::size(kErrors)];
            test::StepFailure failure(step, error);
            std::string message;
            std::string named;
            try {
                command.run(world);
            } catch (const FileError& thrown) {
                message = thrown.what();
                named = thrown.path();
            }
            ASSERT_TRUE(failure.Failed()) << command.name << " took fewer steps this time";
            const test::StepFailure::Step failed = failure.steps[step - 1];
            SCOPED_TRACE(std::string(command.name) + ", step " + std::to_string(step) + ": " +
                         FileStepName(failed.kind) + " " + failed.path + " fails with " + std::strerror(error));
            const Disk disk = world.OnDisk();

            if (message.empty()) {
                // Only clearing away an old version after the commit can fail
                // unnoticed; that one hidden file is all that stays.
                EXPECT_EQ(failed.kind, FileStep::Unlink);
                Disk expected = whole.disk;
                const std::string left = fs::relative(failed.path, world.root.path()).string();
                const fs::path work = fs::path(left).parent_path();
                EXPECT_TRUE(IsWorkFolderName(work.filename().string()) || IsWorkFolderName(fs::path(left).filename().string()));
                // What stays is inside the write's own folder.
                for (const auto& [name, bytes] : disk)
                    if (name.rfind(IsWorkFolderName(work.filename().string()) ? work.string() : left, 0) == 0) expected[name] = bytes;
                EXPECT_EQ(disk, expected);
                EXPECT_EQ(world.State(), whole.state);
                continue;
            }
            EXPECT_TRUE(test::Mentions(message, std::strerror(error)));
            EXPECT_TRUE(test::Mentions(message, "\"" + named + "\""));
            EXPECT_TRUE(Concerns(failed.path, named)) << named;
            const bool afterSave = command.savesFirst && step > saved.steps;
            EXPECT_EQ(disk, afterSave ? saved.disk : diskBefore);
            EXPECT_EQ(world.State(), afterSave ? saved.state : stateBefore);
        }
    }
    std::cout << "[          ] " << pairs << " (command, step) pairs: " << counts.str() << "\n";
    EXPECT_GT(pairs, 200u);
}

}  // namespace
}  // namespace tavel
