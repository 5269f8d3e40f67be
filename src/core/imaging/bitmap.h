#pragma once

#include "core/imaging/color_ref.h"

#include <QImage>
#include <QSize>

// Bitmaps are QImage values. Colour frames are Format_RGB888 (24 bits); frames of 1, 2, 4 and
// 8 bits are Format_Indexed8 with a colour table of 2, 4, 16 or 256 entries, so a palette entry
// changes without touching a pixel; colour planes are Format_Grayscale8.
namespace vantrel {

// A black 24-bit bitmap; a null image when a side is not positive.
QImage createBitmap(int width, int height);

// Every pixel set to the colour (indexed bitmaps take the nearest palette entry).
void fillBitmap(QImage& image, ColorRef colour);

// Bits per pixel as the device counts them: 24 for colour, 8 for grey planes, and for indexed
// bitmaps the width their palette needs (1, 2, 4 or 8); 0 for a null image.
int bitmapBits(const QImage& image);

// Nearest-neighbour resample (no interpolation): pixel (x, y) is source pixel
// (x * srcWidth / width, y * srcHeight / height). Format and palette are kept; a null image
// when a side is not positive.
QImage resizeNearest(const QImage& image, int width, int height);

enum class CombineMode : int { And = 0, Or = 0x100, Add = 0x300, Copy = 0x320 };

// Combines the source, from (srcLeft, srcTop), into the destination rectangle, per 8-bit
// channel: And, Or, Add (saturating at 255) or Copy. Coordinates are truncated toward zero to
// whole pixels (held within ±1e18) and clipped against both bitmaps; no pixel outside either
// is read or written. A non-finite coordinate, an empty rectangle, a null bitmap or an unknown
// mode combine nothing. A destination that is not 24-bit becomes 24-bit (even when nothing is
// combined into it); a source that is not is read through its palette or grey levels. Source
// and destination may be the same bitmap.
void combine(QImage& dst, double left, double top, double width, double height, const QImage& src,
             double srcLeft, double srcTop, CombineMode mode);

// Pixel access in 0x00BBGGRR; outside the bitmap reads give 0 and writes are ignored.
ColorRef pixelAt(const QImage& image, int x, int y);
void setPixelAt(QImage& image, int x, int y, ColorRef colour);

// A copy of the source resized without interpolation to the view's size.
QImage FitToView(const QImage& source, QSize viewSize);

} // namespace vantrel
