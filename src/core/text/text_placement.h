#pragma once

#include "core/imaging/rotation.h"
#include "core/text/text_render.h"

#include <QImage>

namespace vantrel {

// The text as it goes into frames: image and mask rotated (corners black and white) and
// reduced to the four MonoPalette greys without dithering, 24-bit.
RenderedText placeableText(const RenderedText& text, int degrees);

// The mono frame (2-bit, any tint) with the text composed at (x, y): the mask ANDed, the image
// ORed, per 8-bit channel, then each pixel reduced to the nearest of the four levels. Positions
// are truncated toward zero; parts outside the frame are dropped. Returns an indexed frame with
// MonoPalette.
QImage composeText(const QImage& monoFrame, const RenderedText& text, double x, double y);

} // namespace vantrel
