#include "core/files/anim_strip.h"

#include "core/files/panel_levels.h"

#include <algorithm>

namespace vantrel {

QSize stripSize(const QList<QSize>& frameSizes, int scale)
{
    if (scale < 1 || scale > MaxStripScale || frameSizes.isEmpty())
        return {};
    qint64 width = -1; // no gap before the first frame
    qint64 height = 0;
    for (const QSize& size : frameSizes) {
        if (size.width() < 1 || size.height() < 1)
            return {};
        width += 1 + qint64{size.width()} * scale;
        height = std::max(height, qint64{size.height()} * scale);
        if (width > MaxStripSide || height > MaxStripSide)
            return {};
    }
    if (width * height > MaxStripPixels)
        return {};
    return {static_cast<int>(width), static_cast<int>(height)};
}

QImage renderStrip(const QList<QImage>& frames, int scale, std::uint8_t colorCode,
                   const BacklightLevels& levels)
{
    QList<QSize> sizes;
    for (const QImage& frame : frames)
        sizes.append(frame.size());
    const QSize size = stripSize(sizes, scale);
    if (!size.isValid())
        return {};
    QImage strip(size, QImage::Format_RGB32);
    if (strip.isNull())
        return {};
    strip.fill(StripGapColour);

    int left = 0;
    for (const QImage& frame : frames) {
        QImage dots = toPanelLevels(frame);
        SetPanelPalette(dots, levels, colorCode);
        const QList<QRgb> palette = dots.colorTable();
        const int width = dots.width();
        for (int y = 0; y < dots.height(); ++y) {
            const uchar* level = dots.constScanLine(y);
            for (int dy = 0; dy < scale; ++dy) {
                auto* out = reinterpret_cast<QRgb*>(strip.scanLine(y * scale + dy)) + left;
                for (int x = 0; x < width; ++x)
                    std::fill_n(out + x * scale, scale, palette.value(level[x]) | 0xFF000000u);
            }
        }
        left += width * scale + 1;
    }
    return strip;
}

} // namespace vantrel
