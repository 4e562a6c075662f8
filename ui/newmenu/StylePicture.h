#pragma once

#include "project/NewMenu.h"

#include <QPixmap>

namespace tavel {

inline constexpr QSize kStylePictureSize(100, 60);

// What the New Menu dialog shows of a style, 100 by 60 pixels: its picture
// stretched, or for a user style without one a sketch of its colours. Null
// when there is neither, or the files cannot be read.
QPixmap StylePicture(const Workspace& workspace, const StyleChoice& style);

}  // namespace tavel
