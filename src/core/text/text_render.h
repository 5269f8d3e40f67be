#pragma once

#include "core/text/text_style.h"

#include <QImage>

namespace vantrel {

// The drawn text: the image (24-bit, black background, glyphs in their colours) and the mask
// (24-bit, white background, black wherever the image carries a glyph pixel of any layer).
struct RenderedText
{
    QImage image;
    QImage mask;
};

// Draws the lines in line slots of the tallest line's height, each line's width counting half
// its last character more, 2 pixels more each way for the decorations' offsets. An empty text
// gives two 2 x 2 bitmaps with background only. Characters the font lacks come from the
// shipped Gothic face.
RenderedText RenderText(const TextStyle& style);

} // namespace vantrel
