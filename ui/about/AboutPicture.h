#pragma once

#include <QPixmap>

namespace tavel {

// The About box's picture: a small drop-down menu, drawn rather than shipped
// so it stays sharp at any scale.
QPixmap AboutPicture(const QSize& size);

}  // namespace tavel
