#pragma once

#include "core/imaging/color_reduction.h"

#include <QImage>

#include <array>
#include <cstdint>

namespace vantrel {

// Index = panel brightness level.
inline constexpr Palette4 MonoPalette{rgb(0, 0, 0), rgb(85, 85, 85), rgb(170, 170, 170), rgb(255, 255, 255)};

// Dither method for each entry of the dithering list.
inline constexpr std::array<DitherMethod, 5> DitherCodes{
    DitherMethod::Burkes, DitherMethod::JarvisJudiceNinke, DitherMethod::Nearest, DitherMethod::Ordered,
    DitherMethod::BlueNoise};

inline constexpr std::array<int, 4> DefaultLevels{0, 85, 170, 255};

// Backlight intensity 0..255 for each track bar position of one channel.
struct ChannelLevels
{
    std::array<int, 4> levels{DefaultLevels};
    int count = 4;
};

struct BacklightLevels
{
    ChannelLevels red, green, blue;
};

// The colour bitmap's value plane reduced to the four panel levels (indexed, MonoPalette),
// dithered with the method at the given list index (outside 0..4 counts as 0). Any format is
// accepted (it is read as its 24-bit conversion); a null image gives a null image.
QImage MakeMono(const QImage& colour, int ditherIndex);

// The four tinted entries for a backlight colour code (red * 16 + green * 4 + blue): with
// r = red.levels[(code >> 4) & 3] (green, blue alike), entry i is ((r * i) / 3, (g * i) / 3,
// (b * i) / 3), truncated, each kept to its low 8 bits whatever the levels hold. The levels'
// count is not consulted: positions past it take whatever their table entries hold.
Palette4 panelPalette(const BacklightLevels& levels, std::uint8_t code);

// Re-tints a mono bitmap: palette entries 0..3 only, never a pixel (a shorter colour table
// grows to 4). A null or non-indexed (Format_Indexed8) image is left alone.
void SetPanelPalette(QImage& mono, const BacklightLevels& levels, std::uint8_t code);

} // namespace vantrel
