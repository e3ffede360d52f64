#include "display/ui/tree_images.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace kro {

namespace {

QPixmap blank() {
    QPixmap pixmap(kTreeImageSize, kTreeImageSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A folder in which the stations of a group are kept.
QPixmap draw_group() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 3, 6, 3);
    p.drawRect(1, 5, 13, 9);
    p.setPen(QColor(255, 240, 180));
    p.drawLine(2, 6, 13, 6);
    return pixmap;
}

// A seismic station: a triangle on a base line.
QPixmap draw_station() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(8, 2);
    triangle.lineTo(14, 13);
    triangle.lineTo(2, 13);
    triangle.closeSubpath();
    p.setPen(QPen(QColor(0, 60, 140), 1.0));
    p.setBrush(QColor(70, 130, 220));
    p.drawPath(triangle);
    p.setPen(QPen(QColor(40, 40, 40), 1.0));
    p.drawLine(1, 14, 15, 14);
    return pixmap;
}

// A channel: a short seismogram.
QPixmap draw_channel() {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 120, 0), 1.2));
    const std::array<QPointF, 9> wave = {QPointF(1, 8),   QPointF(3, 8),  QPointF(5, 3),  QPointF(7, 13), QPointF(9, 5),
                                         QPointF(11, 10), QPointF(13, 7), QPointF(14, 8), QPointF(15, 8)};
    p.drawPolyline(wave.data(), static_cast<int>(wave.size()));
    return pixmap;
}

QPixmap draw_check(bool checked) {
    QPixmap pixmap = blank();
    QPainter p(&pixmap);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(2, 2, 11, 11);
    if (checked) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 0), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const std::array<QPointF, 3> tick = {QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 4.5)};
        p.drawPolyline(tick.data(), static_cast<int>(tick.size()));
    }
    return pixmap;
}

}  // namespace

const QIcon& tree_image(TreeImage image) {
    static const std::array<QIcon, 3> images = {QIcon(draw_group()), QIcon(draw_station()), QIcon(draw_channel())};
    return images[static_cast<std::size_t>(image)];
}

const QIcon& check_image(bool checked) {
    static const std::array<QIcon, 2> images = {QIcon(draw_check(false)), QIcon(draw_check(true))};
    return images[checked ? 1 : 0];
}

void use_tree_images(QTreeWidget& view) { view.setIconSize(QSize(kTreeImageSize, kTreeImageSize)); }

}  // namespace kro
