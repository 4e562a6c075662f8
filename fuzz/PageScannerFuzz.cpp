// Any bytes as a page to integrate the menu into. A page is refused, left as
// it is, or gets exactly the three insertions; a page once integrated reads
// as integrated, so a second Integrate changes nothing. The declared
// encoding is one lower-case word.
#include "FuzzParts.h"
#include "tools/PageIntegration.h"
#include "tools/SitePages.h"

#include <cctype>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
        const std::string_view page(reinterpret_cast<const char*>(data), size);

    const PageEdit edit = EditPageForMenu(page);
    if (!edit.missing.empty() || edit.alreadyIntegrated) {
        TAVEL_FUZZ_CHECK(edit.text == page && !(edit.alreadyIntegrated && !edit.missing.empty()));
    } else {
        TAVEL_FUZZ_CHECK(edit.text.size() ==
              page.size() + pagetext::kStyleLink.size() + pagetext::kScriptPair.size() + pagetext::kLoadAttribute.size());
        TAVEL_FUZZ_CHECK(edit.text.compare(0, pagetext::kStyleLink.size(), pagetext::kStyleLink) == 0);
        const PageEdit again = EditPageForMenu(edit.text);
        TAVEL_FUZZ_CHECK(again.missing.empty() && again.alreadyIntegrated && again.text == edit.text);
    }

    const std::string charset = DeclaredCharset(page);
    for (char c : charset) {
        TAVEL_FUZZ_CHECK(std::string_view(" \t\r\n\"';>/").find(c) == std::string_view::npos);
        TAVEL_FUZZ_CHECK(!std::isupper(static_cast<unsigned char>(c)));
    }
    return 0;
}
