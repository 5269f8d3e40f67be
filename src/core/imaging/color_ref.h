#pragma once

#include <QColor>

#include <cstdint>

namespace vantrel {

// Colours travel as 0x00BBGGRR, the convention of the device's tools and files.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(ColorRef c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

inline QRgb toQRgb(ColorRef c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}
inline ColorRef fromQRgb(QRgb c)
{
    return rgb(qRed(c), qGreen(c), qBlue(c));
}

} // namespace vantrel
