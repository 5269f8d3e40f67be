#pragma once

#include "core/imaging/color_ref.h"

#include <QImage>

#include <array>

namespace vantrel {

enum class DitherMethod : int { Nearest = 0, Burkes = 3, JarvisJudiceNinke = 6, Ordered = 7, BlueNoise = 8 };

using Palette4 = std::array<ColorRef, 4>;

// Reduces any bitmap to 2 bits per pixel against the four palette entries; the result is an
// indexed bitmap whose colour table is that palette (pixel = entry index). Unknown methods act
// as Nearest.
//   Nearest: each pixel the entry nearest by RGB distance (the lower index on a tie).
//   Burkes, JarvisJudiceNinke: error diffusion in raster order, per channel, in integers; the
//     error passed on adds up exactly, so a region keeps its mean brightness.
//   Ordered: an 8 x 8 Bayer matrix anchored at the image's (0, 0), one palette step (255 / 3)
//     wide; each pixel depends on itself only, so an unchanged region keeps its pattern.
//   BlueNoise: for animation. Each channel value v goes to level floor(3v / 255) of 0, 85, 170,
//     255, one higher where the fraction left over exceeds (t + 0.5) / 4096, t being the rank
//     of the 64 x 64 blue-noise mask (blue_noise_mask.h) at (x mod 64, y mod 64); the entry is
//     then the one nearest to those levels. Like Ordered, each pixel depends on itself only,
//     but the dots are spread without Bayer's grid.
// A grey plane (Format_Grayscale8) against a grey palette takes a one-channel path that gives
// the same result as its 24-bit conversion, faster.
QImage colorResTo2Bits(const QImage& source, const Palette4& userPalette, DitherMethod method);

// Back to 24-bit colour through the bitmap's palette (indexes past the table read as black).
QImage colorResTo24Bits(const QImage& source);

// Replaces one existing palette entry of an indexed bitmap; pixels are untouched. Entries
// outside the colour table are ignored.
void setBitmapPaletteEntry(QImage& image, int entry, ColorRef colour);

} // namespace vantrel
