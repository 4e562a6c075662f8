#pragma once

#include <QPixmap>

#include <string>
#include <string_view>

namespace tavel {

// A JPEG file's bytes as a picture to show; a null pixmap when they cannot be
// decoded, since a damaged picture is shown as none rather than stopping
// the dialog that shows it.
QPixmap PixmapFromJpeg(std::string_view bytes, const std::string& name);

}  // namespace tavel
