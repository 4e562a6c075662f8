#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavel {

// A picture that could not be decoded; the message names it.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // rows of RGB triples, top row first
};

// Decodes JPEG bytes for display. `name` is what an error message calls the
// picture. Damaged or foreign data raises ImageError, never a crash; a
// picture larger than `maxPixels` is refused before it is decoded.
RgbImage DecodeJpeg(std::string_view bytes, const std::string& name, uint64_t maxPixels = 50'000'000);

}  // namespace tavel
