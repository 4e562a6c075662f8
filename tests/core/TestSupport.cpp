#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>

namespace tavel::test {

using enum MenuItemKind;

void BuildTree(MenuTree& tree, const std::vector<Row>& rows) {
    std::vector<MenuItem*> parents;  // parents[l] is the last item seen at level l
    for (const Row& row : rows) {
        if (row.level < 0 || static_cast<size_t>(row.level) > parents.size())
            throw std::invalid_argument("row level out of walk order: " + row.caption);
        parents.resize(static_cast<size_t>(row.level));
        MenuItem* parent = row.level == 0 ? nullptr : parents.back();
        parents.push_back(tree.AppendChild(parent, MenuItemData{row.kind, row.caption, row.hint, row.link}));
    }
}

std::vector<Row> RowsOf(const MenuTree& tree) {
    std::vector<Row> rows;
    for (size_t i = 0; i < tree.Count(); ++i) {
        const MenuItem* item = tree.ItemAt(i);
        const MenuItemData& d = item->Data();
        rows.push_back({MenuTree::ItemLevel(item), d.kind, d.caption, d.hint, d.link});
    }
    return rows;
}

bool operator==(const Row& a, const Row& b) {
    return a.level == b.level && a.kind == b.kind && a.caption == b.caption && a.hint == b.hint &&
           a.link == b.link;
}

void PrintTo(const Row& row, std::ostream* os) {
    static constexpr const char* kKinds[] = {"Plain", "Submenu", "Separator"};
    *os << "{" << row.level << " " << kKinds[static_cast<int>(row.kind)] << " \"" << row.caption << "\" \""
        << row.hint << "\" \"" << row.link << "\"}";
}

std::vector<Row> ExampleRows() {
    return {
        {0, Plain, "Home", "Start page", "index.html"},
        {0, Submenu, "Products", "What we make", "products.html"},
        {1, Submenu, "Software", "Programs", "soft.html"},
        {2, Plain, "Editor", "Text editor", "editor.html"},
        {2, Separator, "----------", "", ""},
        {2, Plain, "Viewer", "", "view.html"},
        {1, Separator, "----------", "", ""},
        {1, Plain, "Hardware", "Devices", "hard.html"},
        {0, Separator, "----------", "", ""},
        {0, Submenu, "About", "", "about.html"},
        {1, Plain, "Contact", "Write to us", "contact.html"},
    };
}

std::string ExampleScript() {
    return CrLf({
        R"(var theMenu = new Array();)",
        R"(theMenu[0] = new Array("Home", "index.html");)",
        R"(theMenu[1] = new Array("Products", "myMenu0");)",
        R"(var myMenu0 = new Array();)",
        R"(myMenu0[0] = new Array("M","Software","Programs","myMenu12");)",
        R"(var myMenu12 = new Array();)",
        R"(myMenu12[0] = new Array("L","Editor","Text editor","editor.html");)",
        R"(myMenu12[1] = new Array("L","----------","","");)",
        R"(myMenu12[2] = new Array("L","Viewer","","view.html");)",
        R"(myMenu0[1] = new Array("S","----------","","");)",
        R"(myMenu0[2] = new Array("L","Hardware","Devices","hard.html");)",
        R"(theMenu[2] = new Array("About", "myMenu1");)",
        R"(var myMenu1 = new Array();)",
        R"(myMenu1[0] = new Array("L","Contact","Write to us","contact.html");)",
    });
}

std::vector<Row> NameCollisionRows() {
    std::vector<Row> rows = {{0, Plain, "Zero", "", "z.html"},
                             {0, Submenu, "One", "", ""},
                             {1, Submenu, "Sub", "", ""},
                             {2, Plain, "Leaf", "", "leaf.html"}};
    for (int t = 2; t <= 13; ++t) {
        rows.push_back({0, Submenu, "Top" + std::to_string(t), "", ""});
        rows.push_back({1, Plain, "Item" + std::to_string(t), "", "i.html"});
    }
    return rows;
}

std::string ReadBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(File(name), std::ios::binary);
    out << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

MenuItem* FindItem(const MenuTree& tree, const std::string& caption) {
    for (size_t i = 0; i < tree.Count(); ++i)
        if (tree.ItemAt(i)->Data().caption == caption) return tree.ItemAt(i);
    return nullptr;
}

::testing::AssertionResult Mentions(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not mention \"" << part << "\"";
}

StepFailure::StepFailure(size_t failAt, int error)
    : failAt_(failAt), error_(error), previous_(SetFileStepWatcher(this)) {}

StepFailure::~StepFailure() { SetFileStepWatcher(previous_); }

int StepFailure::BeforeStep(FileStep step, const char* path) {
    steps.push_back({step, path});
    return steps.size() == failAt_ ? error_ : 0;
}

ChildEnd RunKilledAtStep(const std::function<void()>& run, size_t step, size_t failAt) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return ChildEnd::Failed;
    if (child == 0) {
        struct Killer : FileStepWatcher {
            size_t step = 0, failAt = 0, count = 0;
            int BeforeStep(FileStep, const char*) override {
                ++count;
                if (count == step) ::kill(::getpid(), SIGKILL);
                return count == failAt ? EIO : 0;
            }
        } killer;
        killer.step = step;
        killer.failAt = failAt;
        SetFileStepWatcher(&killer);
        try {
            run();
        } catch (...) {
            ::_exit(failAt != 0 ? 0 : 1);  // a failure asked for is a finished run
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return ChildEnd::Killed;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ChildEnd::Finished : ChildEnd::Failed;
}

}  // namespace tavel::test
