// Any bytes as an item's link in link-name mode of Create site. A link taken
// as a page name must name a file directly inside the project folder that
// is none of the project's own files, and one the browser reaches by that
// link: no folder part, scheme, address part, control character or blank
// at either end.
#include "FuzzParts.h"
#include "platform/Paths.h"
#include "tools/SitePages.h"

#include <algorithm>
#include <cctype>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
        const std::string link(reinterpret_cast<const char*>(data), size);
    if (!IsPlainPageName(link)) return 0;

    TAVEL_FUZZ_CHECK(!link.empty() && link != "." && link != ".." && link.front() != ' ' && link.back() != ' ');
    for (char c : link) {
        const auto u = static_cast<unsigned char>(c);
        TAVEL_FUZZ_CHECK(std::string_view("/\\:#?").find(c) == std::string_view::npos && u >= 0x20 && u != 0x7f);
    }
    std::string lower = link;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* own : {"temp.js", "index.htm", "stt.css", "sys.js", "table_bgcolor.jpg"}) TAVEL_FUZZ_CHECK(lower != own);

    const std::string folder = "/site/Shop";
    const std::string path = JoinPath(folder, link);
    TAVEL_FUZZ_CHECK(FolderOfPath(path) == folder + "/" && path.substr(folder.size() + 1) == link);
    return 0;
}
