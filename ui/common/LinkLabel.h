#pragma once

#include <QAbstractButton>

namespace tavel {

// A button drawn as a link: blue text and a hand cursor, bold while the
// pointer is over it (unless told otherwise). It takes the keyboard focus
// like any button, shows the focus frame, and Space or Enter presses it.
class LinkLabel : public QAbstractButton {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

    void SetBoldOnHover(bool bold) { boldOnHover_ = bold; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SetBold(bool bold);

    bool boldOnHover_ = true;
};

}  // namespace tavel
