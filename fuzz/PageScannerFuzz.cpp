// Any bytes as a page to integrate the menu into, read as HTML and as XML.
// Outside its splices, which stand in order and apart, every byte of the
// page stays; a removed part is a whole marked block of plain links. A page
// the menu cannot start in gets nothing. Once edited with its one block
// replaced, the page reads as loading the menu, and a second run with the
// same links changes nothing.
#include "FuzzParts.h"
#include "platform/FileError.h"
#include "tools/HtmlDocument.h"
#include "tools/MenuLinks.h"
#include "tools/MenuPageEdit.h"

#include <algorithm>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string links = std::string(menulinks::kBegin) + "<nav><ul><li>x</li></ul></nav>" + std::string(menulinks::kEnd);
    try {
        const HtmlDocument page(bytes, "page.htm");
        for (const PageMarkup markup : {PageMarkup::Html, PageMarkup::Xml}) {
            const MenuPageEdit edit = EditPageForMenu(page, markup, links);
            std::string rebuilt;
            size_t from = 0;
            for (const PageSplice& splice : edit.splices) {
                TAVEL_FUZZ_CHECK(splice.at >= from && splice.at + splice.removed <= bytes.size());
                const std::string_view removed = std::string_view(bytes).substr(splice.at, splice.removed);
                TAVEL_FUZZ_CHECK(removed.empty() || (removed.substr(0, menulinks::kBegin.size()) == menulinks::kBegin &&
                                                     removed.size() >= menulinks::kBegin.size() + menulinks::kEnd.size() &&
                                                     removed.substr(removed.size() - menulinks::kEnd.size()) == menulinks::kEnd));
                rebuilt += bytes.substr(from, splice.at - from) + splice.text;
                from = splice.at + splice.removed;
            }
            rebuilt += bytes.substr(from);
            TAVEL_FUZZ_CHECK(rebuilt == edit.bytes);
            if (edit.result == MenuPageEdit::Result::NoBodyTag) TAVEL_FUZZ_CHECK(edit.splices.empty());
            if (edit.result != MenuPageEdit::Result::Edited) continue;
            // Taking out a further block joins the bytes on its two sides,
            // which in a page of any bytes can make new markup (half a
            // comment meeting the other half); the program's own pages hold
            // one block, which the links replace marker for marker.
            if (std::any_of(edit.splices.begin(), edit.splices.end(),
                            [](const PageSplice& splice) { return splice.removed > 0 && splice.text.empty(); }))
                continue;
            // The links add a few levels, which may take the page past the limit.
            const HtmlDocument edited(edit.bytes, "page.htm");
            const MenuPageEdit again = EditPageForMenu(edited, markup, links);
            TAVEL_FUZZ_CHECK(again.result == MenuPageEdit::Result::AlreadyLoadsMenu && again.bytes == edit.bytes);
        }
    } catch (const FileError&) {
        // Nested deeper than browsers build: refused before parsing.
    }
    return 0;
}
