#include "core/imaging/rotation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace vantrel {

namespace {

struct Turn
{
    double cos = 1.0;
    double sin = 0.0;
};

// Quarter turns take exact values so that they move whole pixels without rounding drift.
Turn turnOf(int degrees)
{
    switch (degrees) {
    case 0:
        return {1.0, 0.0};
    case 90:
        return {0.0, 1.0};
    case 180:
        return {-1.0, 0.0};
    case 270:
        return {0.0, -1.0};
    default:
        const double radians = degrees * std::numbers::pi / 180.0;
        return {std::cos(radians), std::sin(radians)};
    }
}

// The whole pixels a rotated side needs; the small allowance keeps 160.0000000001 at 160.
int sideFor(double extent)
{
    return std::max(1, static_cast<int>(std::ceil(extent - 1e-6)));
}

} // namespace

QImage Rotate(const QImage& image, int degrees, QRgb fill)
{
    if (image.isNull())
        return {};
    const QImage source =
        image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
    const int turnDegrees = ((degrees % 360) + 360) % 360;
    if (turnDegrees == 0 || source.isNull())
        return source;

    const Turn t = turnOf(turnDegrees);
    const int w = source.width(), h = source.height();
    const int outW = sideFor(w * std::abs(t.cos) + h * std::abs(t.sin));
    const int outH = sideFor(w * std::abs(t.sin) + h * std::abs(t.cos));
    QImage out(outW, outH, QImage::Format_RGB888);
    if (out.isNull())
        return {};

    const std::uint8_t fillColour[3] = {static_cast<std::uint8_t>(qRed(fill)),
                                        static_cast<std::uint8_t>(qGreen(fill)),
                                        static_cast<std::uint8_t>(qBlue(fill))};
    // Each target pixel centre, taken about the target's centre, turned back onto the source and
    // walked along the row in 32.32 fixed point; quarter turns stay exact.
    constexpr double One = 4294967296.0;
    const auto stepX = static_cast<std::int64_t>(std::llround(t.cos * One));
    const auto stepY = static_cast<std::int64_t>(std::llround(-t.sin * One));
    const double left = 0.5 - outW / 2.0;
    const std::uint8_t* bits = source.constBits();
    const qsizetype stride = source.bytesPerLine();
    for (int y = 0; y < outH; ++y) {
        const double top = y + 0.5 - outH / 2.0;
        auto fx = static_cast<std::int64_t>(std::llround((left * t.cos + top * t.sin + w / 2.0) * One));
        auto fy = static_cast<std::int64_t>(std::llround((top * t.cos - left * t.sin + h / 2.0) * One));
        std::uint8_t* d = out.scanLine(y);
        for (int x = 0; x < outW; ++x, d += 3, fx += stepX, fy += stepY) {
            const std::int64_t sx = fx >> 32, sy = fy >> 32; // floor
            const std::uint8_t* s =
                sx >= 0 && sx < w && sy >= 0 && sy < h ? bits + sy * stride + 3 * sx : fillColour;
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
    return out;
}

} // namespace vantrel
