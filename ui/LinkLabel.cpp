#include "ui/LinkLabel.h"

#include <QMouseEvent>

namespace tavel {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setStyleSheet("color: blue;");
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    // Room for the bold text, so the label does not grow under the pointer.
    QFont bold = font();
    bold.setBold(true);
    setMinimumWidth(QFontMetrics(bold).horizontalAdvance(text) + 2);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    SetBold(p.x() > 0 && p.y() > 0 && p.x() < width() && p.y() < height());
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    SetBold(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::SetBold(bool bold) {
    QFont f = font();
    if (f.bold() == bold) return;
    f.setBold(bold);
    setFont(f);
}

}  // namespace tavel
