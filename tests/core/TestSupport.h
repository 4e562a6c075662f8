#pragma once

#include "menu/MenuTree.h"
#include "platform/FileSteps.h"
#include "project/Preview.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tavel::test {

// One item of a tree given in walk order: its level and record.
struct Row {
    int level;
    MenuItemKind kind;
    std::string caption;
    std::string hint;
    std::string link;
};

// Fills an empty tree from rows in walk order (parents before children).
void BuildTree(MenuTree& tree, const std::vector<Row>& rows);

// The tree as rows in walk order, for comparing whole trees.
std::vector<Row> RowsOf(const MenuTree& tree);

bool operator==(const Row& a, const Row& b);
void PrintTo(const Row& row, std::ostream* os);

// The first item in walk order with this caption, or null.
MenuItem* FindItem(const MenuTree& tree, const std::string& caption);

// The eleven-item tree whose script is the fourteen-line example.
std::vector<Row> ExampleRows();
std::string ExampleScript();

// A whole file as bytes, for files that are not text.
std::string ReadBinary(const std::string& path);

// A menu whose third-level array myMenu12 (top-level entry 1, absolute
// index 2) would share its name with the thirteenth second-level array.
std::vector<Row> NameCollisionRows();

// Joins lines, each followed by CR LF.
std::string CrLf(const std::vector<std::string>& lines);

// The message of the E that `action` throws; a test failure when it throws
// nothing, so a check of the message can never pass by default.
template <class E, class Action>
std::string ThrownMessage(Action&& action) {
    try {
        action();
    } catch (const E& error) {
        return error.what();
    }
    ADD_FAILURE() << "nothing was thrown";
    return "<nothing thrown>";
}

// Whether `text` holds `part`; a failure shows the whole text.
::testing::AssertionResult Mentions(const std::string& text, const std::string& part);

// A fresh folder below the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string path_;
};

// Counts every file step (FileSteps.h) taken while it lives and fails the
// one numbered `failAt`, from 1, with the errno value `error`; 0 fails none.
class StepFailure : public FileStepWatcher {
public:
    explicit StepFailure(size_t failAt = 0, int error = 0);
    ~StepFailure() override;
    StepFailure(const StepFailure&) = delete;
    StepFailure& operator=(const StepFailure&) = delete;
    int BeforeStep(FileStep step, const char* path) override;

    struct Step {
        FileStep kind;
        std::string path;
    };
    std::vector<Step> steps;  // every step asked for, the failed one included
    bool Failed() const { return failAt_ != 0 && steps.size() >= failAt_; }

private:
    size_t failAt_;
    int error_;
    FileStepWatcher* previous_;
};

// How a run in a child process ended.
enum class ChildEnd { Killed, Finished, Failed };

// Runs `run` in a child process that kills itself with SIGKILL just before
// its `step`-th file step (counting from 1), as a crash or a power cut would
// stop it; `failAt` (when not 0) fails that step with EIO first. Finished
// when the run ended before that step.
ChildEnd RunKilledAtStep(const std::function<void()>& run, size_t step, size_t failAt = 0);

// Records what the core asks of the preview, in order.
class RecordingPreview : public Preview {
public:
    void Navigate(const std::string& location) override { calls.push_back("navigate " + location); }
    void Reload() override { calls.push_back("reload"); }
    std::vector<std::string> calls;
};

}  // namespace tavel::test
