#include "tools/MenuImport.h"

#include "TestSupport.h"
#include "menu/ScriptWriter.h"
#include "project/Workspace.h"
#include "tools/MenuLinks.h"
#include "tools/SitePages.h"

#include <gtest/gtest.h>

namespace tavel {
namespace {

using enum MenuItemKind;
using test::Row;

// A page as Create site writes it, with the menu's plain links.
std::string SitePageOf(const std::vector<Row>& rows) {
    MenuTree tree;
    test::BuildTree(tree, rows);
    const std::string links = MenuLinksBlock(tree, [](const MenuItem& item) { return item.Data().link; });
    return SitePageText({"en", "Home", links, "Home"});
}

// The tree imported from the page, as the window's import leaves it.
std::vector<Row> Imported(const std::string& page, std::string* script = nullptr) {
    Workspace workspace("/nowhere/");
    const PageNavigation navigation(page, "site.htm");
    ReplaceMenuTree(workspace, navigation.MenuOf(navigation.Preselected()));
    if (script != nullptr) *script = WriteMenuScript(workspace.Tree());
    return test::RowsOf(workspace.Tree());
}

TEST(MenuImportRoundTripTest, TheWorkedExampleComesBackAsTheSameScript) {
    std::string script;
    Imported(SitePageOf(test::ExampleRows()), &script);
    EXPECT_EQ(script, test::ExampleScript());
}

TEST(MenuImportRoundTripTest, OddCaptionsComeBackShowingTheSameText) {
    const std::vector<Row> written = {
        {0, Submenu, "Fish & Chips", "", ""},
        {1, Submenu, "Say \"hi\"", "", ""},
        {2, Plain, "Caf\xC3\xA9 cr\xC3\xA8me", "D\xC3\xA9j\xC3\xA0 vu", "caf\xC3\xA9.htm?a=1&b=2"},
        {2, Plain, "<b>Bold</b> offers", "Tom & Jerry's", "offers.htm"},
        {1, Plain, "1 &lt; 2", "", "less.htm"},
        {0, Plain, "Home", "", "index.htm"},
    };
    const std::vector<Row> imported = {
        {0, Submenu, "Fish &amp; Chips", "", ""},
        {1, Submenu, "Say \"hi\"", "", ""},
        {2, Plain, "Caf\xC3\xA9 cr\xC3\xA8me", "D\xC3\xA9j\xC3\xA0 vu", "caf\xC3\xA9.htm?a=1&b=2"},
        {2, Plain, "Bold offers", "Tom &amp; Jerry's", "offers.htm"},
        {1, Plain, "1 &lt; 2", "", "less.htm"},
        {0, Plain, "Home", "", "index.htm"},
    };
    EXPECT_EQ(Imported(SitePageOf(written)), imported);
}

}  // namespace
}  // namespace tavel
