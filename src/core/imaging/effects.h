#pragma once

#include <QImage>

namespace vantrel {

// The effects list's order: an index above AutoLevels (or below 0) changes nothing.
enum EffectIndex : int {
    NoEffect = 0,
    Brightness = 1,
    ContrastEffect = 2,
    Sharpness = 3,
    Negative = 4,
    NoiseRemoval = 5,
    AutoLevels = 6,
};

inline constexpr int MinEffectStrength = -1000;
inline constexpr int MaxEffectStrength = 1000;

// Whether the effect takes a strength (the strength bar is shown for it).
bool effectHasStrength(int index);

// The operations, in place on a 24-bit bitmap. For the three with a strength (-1000..1000):
// 0 leaves the picture exactly unchanged, the sign gives the direction and +-1000 the extremes
// (Intensity: black .. white; Contrast: flat grey .. two levels; Sharpen: a strong blur ..
// strong sharpening), monotonic in between. A strength outside the range counts as its
// nearest end. A null image is left alone; any other format is made 24-bit first (not at
// strength 0, which changes nothing).
//   Intensity: each channel moves toward 255 (or 0) by strength / 1000 of the way.
//   Contrast: each channel spreads from 127.5 by 1000 / (1000 - strength) when positive (at
//     1000, 0..127 become 0 and 128..255 become 255), shrinks toward it by (1000 + strength)
//     / 1000 when negative (at -1000, all 128).
//   Sharpen: against a 5 x 5 box blur (edges repeated): negative strengths move toward the
//     blur by -strength / 1000 of the way, positive ones away from it by 4 * strength / 1000.
void Intensity(QImage& image, int strength);
void Contrast(QImage& image, int strength);
void Sharpen(QImage& image, int strength);
// 255 - v on each channel, so twice gives the picture back.
void Invert(QImage& image);
// The median of each channel over a size x size neighbourhood, edges repeated (3 in use). An
// even size counts as the next odd one, sizes above 15 as 15; below 2 nothing changes.
void Median(QImage& image, int size);
// Spreads a grey plane (Format_Grayscale8) over the full range by its histogram: the darkest
// value present becomes 0, the brightest 255. A plane of one value, a null image or another
// format is left alone.
void HistoEqualize(QImage& plane);

// The effect of the list at that index and strength (used by the three that take one).
// AutoLevels: Median 3, then the HLS lightness plane equalised, hue and saturation kept.
void ApplyEffect(QImage& image, int index, int strength);

} // namespace vantrel
