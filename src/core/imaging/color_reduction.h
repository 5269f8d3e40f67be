#pragma once

#include "core/imaging/color_ref.h"

#include <QImage>

#include <array>

namespace vantrel {

enum class DitherMethod : int { Nearest = 0, Burkes = 3, JarvisJudiceNinke = 6, Ordered = 7 };

using Palette4 = std::array<ColorRef, 4>;

// Reduces any bitmap to 2 bits per pixel against the four palette entries; the result is an
// indexed bitmap whose colour table is that palette. Unknown methods act as Nearest.
QImage colorResTo2Bits(const QImage& source, const Palette4& userPalette, DitherMethod method);

// Back to 24-bit colour through the bitmap's palette.
QImage colorResTo24Bits(const QImage& source);

// Replaces one palette entry of an indexed bitmap; pixels are untouched.
void setBitmapPaletteEntry(QImage& image, int entry, ColorRef colour);

} // namespace vantrel
