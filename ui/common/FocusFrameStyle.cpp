#include "ui/common/FocusFrameStyle.h"

#include <QPainter>
#include <QWidget>
#include <QStyleOption>

namespace tavel {

FocusFrameStyle::FocusFrameStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}

void FocusFrameStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // Styles draw the focus only in a window where the keyboard has moved
    // it; a keyboard user needs to see where it starts.
    if (widget->isWindow()) widget->setAttribute(Qt::WA_KeyboardFocusChange);
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // Some styles (Fusion) show a button's focus only in its bevel, in the
    // default button's colour; the frame is drawn over it all the same.
    if (element != CE_PushButton || !(option->state & State_HasFocus)) return;
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(*option);
    frame.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    drawPrimitive(PE_FrameFocusRect, &frame, painter, widget);
}

}  // namespace tavel
