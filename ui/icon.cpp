#include "ui/icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kDarkYellow = 0xFF808000;
constexpr int kSamples = 8; // per pixel and axis, to judge how much of a pixel a shape covers

// The wedges in a unit square: tips near the centre, bases on the rim, from the top and
// from the lower left and lower right.
QPainterPath Wedges(double size)
{
    QPainterPath path;
    const QPointF centre(size / 2, size / 2);
    const double rim = size * 0.47;
    const double tip = size * 0.08;
    const double halfAngle = 0.30; // radians either side of the wedge's axis at the rim
    for (const double degrees : {90.0, 210.0, 330.0}) {
        const double axis = degrees * std::numbers::pi / 180.0;
        auto at = [&](double radius, double angle) {
            return centre + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
        };
        path.addPolygon(QPolygonF({at(tip, axis), at(rim, axis - halfAngle), at(rim, axis + halfAngle)}));
        path.closeSubpath();
    }
    return path;
}

} // namespace

QImage DrawTriangleIcon(int size)
{
    // Draw large, then decide each pixel from the share of it that the disc and the wedges cover.
    const int big = size * kSamples;
    QImage disc(big, big, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    QImage wedges = disc;
    {
        QPainter p(&disc);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(0, 0, big, big));
    }
    {
        QPainter p(&wedges);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::yellow);
        p.drawPath(Wedges(big));
    }

    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const bool soften = size <= 16;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int inDisc = 0;
            int inWedge = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                const auto* discRow = reinterpret_cast<const QRgb*>(disc.constScanLine(y * kSamples + sy));
                const auto* wedgeRow = reinterpret_cast<const QRgb*>(wedges.constScanLine(y * kSamples + sy));
                for (int px = x * kSamples; px < (x + 1) * kSamples; ++px) {
                    inDisc += qAlpha(discRow[px]) > 127;
                    inWedge += qAlpha(wedgeRow[px]) > 127;
                }
            }
            const double all = kSamples * kSamples;
            if (inDisc / all < 0.5) {
                continue;
            }
            const double share = inWedge / all;
            QRgb colour = kBlack;
            if (share >= (soften ? 0.7 : 0.5)) {
                colour = kYellow;
            } else if (soften && share >= 0.25) {
                colour = kDarkYellow;
            }
            icon.setPixel(x, y, colour);
        }
    }
    return icon;
}

QIcon TriangleIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(DrawTriangleIcon(32)));
    icon.addPixmap(QPixmap::fromImage(DrawTriangleIcon(16)));
    return icon;
}
