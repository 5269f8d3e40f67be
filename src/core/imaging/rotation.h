#pragma once

#include <QImage>

namespace vantrel {

// A 24-bit copy rotated clockwise by `degrees` without interpolation (each pixel takes the
// source pixel under its centre); the bitmap grows to hold the whole rotated picture and the
// uncovered corners take the fill colour. Quarter turns are exact: 90 and 270 swap width and
// height, 0 gives the picture unchanged. Other formats are read as their 24-bit conversion; a
// null image gives a null image.
QImage Rotate(const QImage& image, int degrees, QRgb fill);

} // namespace vantrel
