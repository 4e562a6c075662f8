#include "ui/common/JpegPixmap.h"

#include "design/JpegImage.h"

#include <QImage>

namespace tavel {

QPixmap PixmapFromJpeg(std::string_view bytes, const std::string& name) {
    try {
        const RgbImage image = DecodeJpeg(bytes, name);
        // The image only wraps the decoded pixels, which go with this scope.
        return QPixmap::fromImage(
            QImage(image.pixels.data(), image.width, image.height, image.width * 3, QImage::Format_RGB888).copy());
    } catch (const ImageError&) {
        return {};
    }
}

}  // namespace tavel
