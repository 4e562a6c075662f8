#include "ui/about/AboutPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tavel {

QPixmap AboutPicture(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1f, 0x3b, 0x73));
    sky.setColorAt(1, QColor(0x3f, 0x8e, 0xc9));
    p.fillRect(pixmap.rect(), sky);

    const int w = size.width();
    // The menu bar with three titles.
    QRectF bar(14, 34, w - 28, 22);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(bar, 4, 4);
    p.setBrush(QColor(0xf2, 0xa1, 0x2c));
    p.drawRoundedRect(QRectF(bar.left() + 4, bar.top() + 3, 44, 16), 3, 3);
    p.setBrush(QColor(0x9a, 0xa7, 0xb8));
    p.drawRoundedRect(QRectF(bar.left() + 56, bar.top() + 8, 36, 6), 2, 2);
    p.drawRoundedRect(QRectF(bar.left() + 100, bar.top() + 8, 36, 6), 2, 2);

    // The open drop-down with a fly-out.
    QRectF drop(bar.left() + 4, bar.bottom() + 4, 78, 92);
    p.setBrush(QColor(255, 255, 255, 245));
    p.drawRoundedRect(drop, 4, 4);
    for (int i = 0; i < 5; ++i) {
        const qreal y = drop.top() + 10 + i * 16;
        p.setBrush(i == 2 ? QColor(0xf2, 0xa1, 0x2c) : QColor(0x9a, 0xa7, 0xb8));
        p.drawRoundedRect(QRectF(drop.left() + 8, y, i == 2 ? 62 : 48, 6), 2, 2);
    }
    QRectF fly(drop.right() + 4, drop.top() + 32, 70, 56);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRoundedRect(fly, 4, 4);
    p.setBrush(QColor(0x9a, 0xa7, 0xb8));
    for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(fly.left() + 8, fly.top() + 10 + i * 15, 46, 6), 2, 2);

    // A pointer resting on the highlighted item.
    QPainterPath arrow;
    const QPointF tip(drop.left() + 60, drop.top() + 46);
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(0, 17));
    arrow.lineTo(tip + QPointF(4.5, 13));
    arrow.lineTo(tip + QPointF(8, 20));
    arrow.lineTo(tip + QPointF(10.5, 19));
    arrow.lineTo(tip + QPointF(7, 12));
    arrow.lineTo(tip + QPointF(12.5, 12));
    arrow.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(arrow);
    return pixmap;
}

}  // namespace tavel
