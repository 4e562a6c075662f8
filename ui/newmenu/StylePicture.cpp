#include "ui/newmenu/StylePicture.h"

#include "platform/FileError.h"
#include "platform/TextFile.h"
#include "platform/TextLines.h"
#include "project/StyleFile.h"
#include "ui/common/JpegPixmap.h"
#include "ui/common/LocalText.h"

#include <QPainter>

namespace tavel {
namespace {

constexpr int kPictureWidth = kStylePictureSize.width();
constexpr int kPictureHeight = kStylePictureSize.height();

QPixmap PictureFromJpeg(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError&) {
        return {};  // a style without its picture shows none
    }
    const QPixmap picture = PixmapFromJpeg(bytes, path);
    if (picture.isNull()) return {};
    return picture.scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The colour of a style-file line; grey where the line is missing or holds
// no colour, so a half-made style still sketches.
QColor LineColour(const TextLines& lines, size_t line) {
    const QColor colour = line <= lines.Count() ? QColor(Shown(StyleLineValue(lines.Line(line))).trimmed()) : QColor();
    return colour.isValid() ? colour : QColor(Qt::gray);
}

// A user style has no picture of its own: a sketch of its colours stands in,
// a bar with one title highlighted and its open list with one item hovered.
QPixmap SketchFromStyleFile(const std::string& path) {
    if (!FileExists(path)) return {};
    TextLines lines;
    try {
        lines = TextLines(ReadTextFile(path));
    } catch (const std::exception&) {
        return {};
    }
    const QColor titleNormal = LineColour(lines, styleline::kTitleNormal);
    const QColor titleHighlighted = LineColour(lines, styleline::kTitleHighlighted);
    const QColor itemNormal = LineColour(lines, styleline::kItemNormal);
    const QColor itemHighlighted = LineColour(lines, styleline::kItemHighlighted);
    const QColor upperLine = LineColour(lines, styleline::kUpperLine);
    const QColor lowerLine = LineColour(lines, styleline::kLowerLine);

    QPixmap sketch(kPictureWidth, kPictureHeight);
    sketch.fill(QColor("#f4f6fa"));
    QPainter p(&sketch);
    const auto bevel = [&](QRect r) {
        p.setPen(upperLine);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(lowerLine);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    };
    p.fillRect(0, 0, kPictureWidth, 16, titleNormal);
    p.fillRect(32, 0, 34, 16, titleHighlighted);
    bevel(QRect(0, 0, kPictureWidth - 1, 15));
    p.fillRect(32, 16, 46, 40, itemNormal);
    p.fillRect(33, 30, 44, 12, itemHighlighted);
    bevel(QRect(32, 16, 45, 39));
    return sketch;
}

}  // namespace

QPixmap StylePicture(const Workspace& workspace, const StyleChoice& style) {
    const std::string base = StyleBasePath(workspace, style);
    QPixmap picture = FileExists(base + ".jpg") ? PictureFromJpeg(base + ".jpg") : QPixmap();
    if (picture.isNull() && style.origin == StyleOrigin::User) picture = SketchFromStyleFile(base + ".tvs");
    return picture;
}

}  // namespace tavel
