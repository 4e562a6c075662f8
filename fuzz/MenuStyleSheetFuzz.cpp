// Any bytes as a project's style sheet, cut down to the menu's rules for a
// page that keeps its own look. What comes out is itself a sheet of menu
// rules alone, every declaration already important: cut down again, it
// stays exactly as it is.
#include "FuzzParts.h"
#include "tools/MenuStyleSheet.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavel;
    const std::string sheet(reinterpret_cast<const char*>(data), size);
    const std::string menu = MenuStyleSheet(sheet);
    TAVEL_FUZZ_CHECK(MenuStyleSheet(menu) == menu);
    return 0;
}
