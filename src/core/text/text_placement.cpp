#include "core/text/text_placement.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/color_reduction.h"
#include "core/imaging/mono_conversion.h"

namespace vantrel {

namespace {

QImage toPanelGreys(const QImage& image)
{
    return colorResTo24Bits(colorResTo2Bits(image, MonoPalette, DitherMethod::Nearest));
}

} // namespace

RenderedText placeableText(const RenderedText& text, int degrees)
{
    // Reducing first is the same (nearest levels move with their pixels, the corners are levels
    // already) on fewer pixels.
    return {Rotate(toPanelGreys(text.image), degrees, qRgb(0, 0, 0)),
            Rotate(toPanelGreys(text.mask), degrees, qRgb(255, 255, 255))};
}

QImage composeText(const QImage& monoFrame, const RenderedText& text, double x, double y)
{
    if (monoFrame.isNull())
        return {};
    QImage frame = monoFrame;
    // The levels as plain greys: the backlight tint must not leak into the bits combined below.
    if (frame.format() == QImage::Format_Indexed8) {
        if (frame.colorCount() < 4)
            frame.setColorCount(4);
        for (int i = 0; i < 4; ++i)
            frame.setColor(i, toQRgb(MonoPalette[static_cast<std::size_t>(i)]));
    }
    frame = colorResTo24Bits(frame);
    combine(frame, x, y, text.mask.width(), text.mask.height(), text.mask, 0, 0, CombineMode::And);
    combine(frame, x, y, text.image.width(), text.image.height(), text.image, 0, 0, CombineMode::Or);
    return colorResTo2Bits(frame, MonoPalette, DitherMethod::Nearest);
}

} // namespace vantrel
