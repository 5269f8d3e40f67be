#pragma once

#include "core/imaging/color_ref.h"

#include <QColor>
#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>

namespace vantrel::test {

inline QImage uniformImage(int w, int h, int r, int g, int b, QImage::Format format = QImage::Format_RGB888)
{
    QImage image(w, h, format);
    image.fill(QColor(r, g, b));
    return image;
}

// A picture-like frame: diagonal gradients in each channel, a bright disc and noise.
inline QImage testPicture(int w, int h, std::uint32_t seed = 1)
{
    QImage image(w, h, QImage::Format_RGB888);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-20, 20);
    for (int y = 0; y < h; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const int dx = x - w / 3, dy = y - h / 2;
            const int disc = dx * dx + dy * dy < (h * h) / 9 ? 90 : 0;
            const int base[3] = {x * 255 / w, y * 255 / h, (x + y) * 255 / (w + h)};
            for (int c = 0; c < 3; ++c)
                line[3 * x + c] = static_cast<uchar>(std::clamp(base[c] + disc + noise(rng), 0, 255));
        }
    }
    return image;
}

// Mean of palette grey levels (the red component) over the indexed image's pixels.
inline double meanPaletteGrey(const QImage& indexed, QRect area = {})
{
    if (area.isNull())
        area = indexed.rect();
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qRed(indexed.color(indexed.pixelIndex(x, y)));
    return sum / (area.width() * area.height());
}

// How many pixels hold each index 0..3 (indexes above 3 are counted in slot 4).
inline std::array<int, 5> levelCounts(const QImage& indexed)
{
    std::array<int, 5> counts{};
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            ++counts[std::min(indexed.pixelIndex(x, y), 4)];
    return counts;
}

} // namespace vantrel::test
