#include "design/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace tavel {
namespace {

// libjpeg reports errors through a callback that must not return; it jumps
// back to the decoder, which turns the message into an exception once no
// library frame is left on the stack.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    std::longjmp(trap->back, 1);
}

void OnMessage(j_common_ptr, int) {}  // warnings: the picture still shows

}  // namespace

RgbImage DecodeJpeg(std::string_view bytes, const std::string& name, uint64_t maxPixels) {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = OnError;
    trap.manager.emit_message = OnMessage;

    // What changes between setjmp and a jump back lives behind a pointer
    // that itself never changes, so its value is defined after the jump.
    struct Result {
        RgbImage image;
        std::string failure;
    };
    const auto out = std::make_unique<Result>();
    RgbImage& image = out->image;
    std::string& failure = out->failure;
    if (setjmp(trap.back) != 0) {
        failure = trap.message;
    } else {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        if (uint64_t{info.image_width} * info.image_height > maxPixels) {
            failure = "the picture is too large";
        } else {
            info.out_color_space = JCS_RGB;
            jpeg_start_decompress(&info);
            image.width = static_cast<int>(info.output_width);
            image.height = static_cast<int>(info.output_height);
            const size_t stride = size_t{info.output_width} * 3;
            image.pixels.resize(stride * info.output_height);
            while (info.output_scanline < info.output_height) {
                JSAMPROW row = image.pixels.data() + stride * info.output_scanline;
                jpeg_read_scanlines(&info, &row, 1);
            }
            jpeg_finish_decompress(&info);
        }
    }
    jpeg_destroy_decompress(&info);
    if (!failure.empty()) throw ImageError("Cannot show the picture \"" + name + "\": " + failure + ".");
    return std::move(image);
}

}  // namespace tavel
