// Makes the shipped button backgrounds: 150 x 15 pixel JPEG images with a
// soft vertical gradient, a light edge at the top and a dark one below,
// in the colours listed here. Run from the top of the repository:
//   cmake --build build --target make_buttons && build/make_buttons data/buttons
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace {

struct Colour {
    const char* name;
    int r, g, b;
};

constexpr Colour kColours[] = {
    {"blue", 0x2c, 0x55, 0xc0},   {"red", 0xb8, 0x32, 0x1a},    {"green", 0x2e, 0x8b, 0x57},
    {"orange", 0xe0, 0x7b, 0x14}, {"purple", 0x6f, 0x3c, 0xa8}, {"graphite", 0x4a, 0x52, 0x5e},
    {"teal", 0x13, 0x7c, 0x85},   {"wine", 0x7d, 0x1f, 0x3f},
};

constexpr int kWidth = 150;
constexpr int kHeight = 15;

int Channel(int base, double light) {
    const double value = light >= 0 ? base + (255 - base) * light : base * (1 + light);
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

bool Write(const std::string& path, const Colour& c) {
    std::vector<unsigned char> pixels(kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        // A light edge at the top, then a little darker than the colour
        // itself where the caption sits, so light text reads on it (4.5:1),
        // and darker still below.
        double light = -0.08 - 0.34 * y / (kHeight - 1);
        if (y == 0) light = 0.45;
        if (y == 1) light = 0.15;
        if (y == kHeight - 1) light = -0.5;
        for (int x = 0; x < kWidth; ++x) {
            // A faint sheen across the width keeps long buttons from looking flat.
            const double sheen = 0.05 * std::cos((x - kWidth * 0.3) / kWidth * 3.14159);
            unsigned char* p = &pixels[(y * kWidth + x) * 3];
            p[0] = static_cast<unsigned char>(Channel(c.r, light + sheen));
            p[1] = static_cast<unsigned char>(Channel(c.g, light + sheen));
            p[2] = static_cast<unsigned char>(Channel(c.b, light + sheen));
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &pixels[info.next_scanline * kWidth * 3];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    for (const Colour& c : kColours) {
        const std::string path = folder + "/" + c.name + ".jpg";
        if (!Write(path, c)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
