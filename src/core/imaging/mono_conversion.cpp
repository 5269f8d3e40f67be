#include "core/imaging/mono_conversion.h"

#include <algorithm>
#include <cstdint>

namespace vantrel {

namespace {

// The value plane, max(R, G, B), read straight from the colour scanlines.
QImage valuePlane(const QImage& colour)
{
    QImage source = colour;
    const auto format = source.format();
    const bool rgb32 = format == QImage::Format_RGB32;
    if (format != QImage::Format_RGB888 && !rgb32)
        source = source.convertToFormat(QImage::Format_RGB888);
    QImage plane(source.size(), QImage::Format_Grayscale8);
    if (source.isNull() || plane.isNull())
        return {};

    const int w = source.width();
    for (int y = 0; y < source.height(); ++y) {
        std::uint8_t* d = plane.scanLine(y);
        if (rgb32) {
            const auto* s = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            for (int x = 0; x < w; ++x)
                d[x] = static_cast<std::uint8_t>(std::max({qRed(s[x]), qGreen(s[x]), qBlue(s[x])}));
        } else {
            const std::uint8_t* s = source.constScanLine(y);
            for (int x = 0; x < w; ++x)
                d[x] = std::max({s[3 * x], s[3 * x + 1], s[3 * x + 2]});
        }
    }
    return plane;
}

int channelLevel(const ChannelLevels& channel, int position)
{
    return channel.levels[static_cast<std::size_t>(position & 3)];
}

// (level * step) / 3 truncated, low 8 bits; wide arithmetic so any int level is defined.
int tintComponent(int level, int step)
{
    return static_cast<int>((static_cast<long long>(level) * step / 3) & 0xFF);
}

} // namespace

QImage MakeMono(const QImage& colour, int ditherIndex)
{
    if (colour.isNull())
        return {};
    if (ditherIndex < 0 || ditherIndex >= static_cast<int>(DitherCodes.size()))
        ditherIndex = 0;
    const QImage plane = valuePlane(colour);
    if (plane.isNull())
        return {};
    // A grey plane against the grey MonoPalette takes colorResTo2Bits's one-channel path.
    return colorResTo2Bits(plane, MonoPalette, DitherCodes[static_cast<std::size_t>(ditherIndex)]);
}

Palette4 panelPalette(const BacklightLevels& levels, std::uint8_t code)
{
    const int r = channelLevel(levels.red, code >> 4);
    const int g = channelLevel(levels.green, code >> 2);
    const int b = channelLevel(levels.blue, code);
    Palette4 palette{};
    for (int i = 0; i < 4; ++i)
        palette[static_cast<std::size_t>(i)] =
            rgb(tintComponent(r, i), tintComponent(g, i), tintComponent(b, i));
    return palette;
}

void SetPanelPalette(QImage& mono, const BacklightLevels& levels, std::uint8_t code)
{
    if (mono.isNull() || mono.format() != QImage::Format_Indexed8)
        return;
    if (mono.colorCount() < 4)
        mono.setColorCount(4);
    const Palette4 palette = panelPalette(levels, code);
    for (int i = 0; i < 4; ++i)
        mono.setColor(i, toQRgb(palette[static_cast<std::size_t>(i)]));
}

} // namespace vantrel
