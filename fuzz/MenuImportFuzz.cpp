// Any bytes as a page to import a menu from. Either the page is refused
// with a FileError, or every navigation found in it gives a menu in walk
// order: levels 0 to 2, each at most one below the item before it, the
// first on the menu bar, a submenu followed by its subitems, separators
// captioned as separators; and that menu becomes a tree of as many items.
#include "FuzzParts.h"
#include "platform/FileError.h"
#include "project/Workspace.h"
#include "tools/MenuImport.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
    std::unique_ptr<PageNavigation> navigation;
    try {
        navigation = std::make_unique<PageNavigation>(std::string(reinterpret_cast<const char*>(data), size), "page.htm");
    } catch (const FileError& error) {
        TAVEL_FUZZ_CHECK(std::string(error.what()).find("\"page.htm\"") != std::string::npos);
        return 0;
    }
    const auto& candidates = navigation->Candidates();
    TAVEL_FUZZ_CHECK(!candidates.empty() && navigation->Preselected() < candidates.size());
    for (size_t c = 0; c < candidates.size(); ++c) {
        TAVEL_FUZZ_CHECK(candidates[c].links > 0);
        const ImportedMenu menu = navigation->MenuOf(c);
        TAVEL_FUZZ_CHECK(menu.folded <= menu.Size());
        int previous = -1;
        for (size_t i = 0; i < menu.Size(); ++i) {
            const ImportedItem item = menu.At(i);
            TAVEL_FUZZ_CHECK(item.level >= 0 && item.level <= 2 && item.level <= previous + 1);
            if (item.data.kind == MenuItemKind::Submenu)
                TAVEL_FUZZ_CHECK(i + 1 < menu.Size() && menu.Level(i + 1) == item.level + 1);
            if (item.data.kind == MenuItemKind::Separator) TAVEL_FUZZ_CHECK(item.data.caption == kSeparatorCaption);
            previous = item.level;
        }
        if (c == navigation->Preselected()) {
            Workspace workspace("/nowhere/");
            ReplaceMenuTree(workspace, menu);
            TAVEL_FUZZ_CHECK(workspace.Tree().Count() == menu.Size());
        }
    }
    return 0;
}
