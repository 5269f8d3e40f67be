#pragma once

#include <QImage>

#include <array>

namespace vantrel {

// Model 2: hue, saturation, value (V = max(R, G, B)). Model 3: hue, lightness, saturation.
// Every plane is an 8-bit grey bitmap; hue is scaled to 0..255 as 256 steps around the circle
// (0 red, 85.3 green, 170.7 blue). Merging the planes gives the colour back within ±2 per
// channel when max - min is 210 or less, within ±3 otherwise (8 bits can't hold every hue);
// greys come back exactly.
enum class ColorModel : int { Hsv = 2, Hls = 3 };

using ColorPlanes = std::array<QImage, 3>;

ColorPlanes separateColorPlanes(const QImage& image, ColorModel model);

// A 24-bit bitmap from three planes of equal size; a null image when they differ.
QImage mergeColorPlanes(const ColorPlanes& planes, ColorModel model);

} // namespace vantrel
