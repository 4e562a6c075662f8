#pragma once

#include <QLabel>

namespace tavel {

// A label that acts as a link: blue text, a hand cursor, bold while the
// pointer is over it, and a click signal.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetBold(bool bold);
};

}  // namespace tavel
