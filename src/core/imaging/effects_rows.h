#pragma once

#include "core/imaging/effects.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>

// Row helpers shared by the effects' source files.
namespace vantrel::effects_detail {

using ByteTable = std::array<std::uint8_t, 256>;

// Makes the image 24-bit; false when there is nothing to work on.
inline bool toColourFrame(QImage& image)
{
    if (image.isNull())
        return false;
    if (image.format() != QImage::Format_RGB888)
        image.convertTo(QImage::Format_RGB888);
    return image.format() == QImage::Format_RGB888;
}

// Every byte of the image's pixels through the table (row padding untouched).
inline void mapBytes(QImage& image, const ByteTable& table)
{
    const int rowBytes = image.width() * (image.depth() / 8);
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* p = image.scanLine(y);
        for (int i = 0; i < rowBytes; ++i)
            p[i] = table[p[i]];
    }
}

inline int clampStrength(int strength)
{
    return std::clamp(strength, MinEffectStrength, MaxEffectStrength);
}

// n / d rounded half away from zero (d > 0).
inline int roundedDiv(int n, int d)
{
    return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

} // namespace vantrel::effects_detail
