#pragma once

#include <QProxyStyle>

namespace tavel {

// The program's look, with a focus frame of its own: a dotted line in the
// text colour around the control that has the keyboard. The underlying
// style marks a focused button with the same coloured frame as the default
// button, so a focused Cancel looked like the button Enter presses; the
// dotted line tells the two apart. The focus shows from the moment a window
// opens, not only once Tab has been pressed in it.
class FocusFrameStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Wraps the style of that name, or the application's default style.
    explicit FocusFrameStyle(const QString& baseStyle = QString());

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace tavel
