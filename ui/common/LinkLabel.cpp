#include "ui/common/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace tavel {
namespace {

// Room around the text for the focus frame.
constexpr int kFrameMargin = 2;

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    setPalette(blue);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

// Wide enough for the bold text, so the link does not grow under the pointer.
QSize LinkLabel::sizeHint() const {
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return {metrics.horizontalAdvance(text()) + 2 * kFrameMargin + 2, metrics.height() + 2 * kFrameMargin};
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect inside = rect().adjusted(kFrameMargin, kFrameMargin, -kFrameMargin, -kFrameMargin);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    if (!hasFocus()) return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = painter.boundingRect(inside, Qt::AlignLeft | Qt::AlignVCenter, text()).adjusted(-2, -1, 2, 1);
    frame.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

// Enter follows a link as Space does; it does not reach the dialog's
// default button.
void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            click();
            return;
        }
    }
    QAbstractButton::keyPressEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    SetBold(boldOnHover_ && p.x() > 0 && p.y() > 0 && p.x() < width() && p.y() < height());
    QAbstractButton::mouseMoveEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    SetBold(false);
    QAbstractButton::leaveEvent(event);
}

void LinkLabel::SetBold(bool bold) {
    QFont f = font();
    if (f.bold() == bold) return;
    f.setBold(bold);
    setFont(f);
}

}  // namespace tavel
