// Any bytes as a button image: decoded, or refused with ImageError.
#include "design/JpegImage.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        tavel::DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.jpg", 4'000'000);
    } catch (const tavel::ImageError&) {
    }
    return 0;
}
