#pragma once

#include <QImage>

namespace vantrel {

// A frame as the mono store holds it: indexed, colour table MonoPalette, pixel = level 0..3.
// A 2-bit frame keeps its palette indexes (they are its levels, whatever tint the palette
// has); any other frame takes the top two bits of each pixel's grey, the largest of its red,
// green and blue. A null frame gives a null image.
QImage toPanelLevels(const QImage& frame);

// The colour table of such a frame: MonoPalette's four greys.
QList<QRgb> monoColourTable();

// The 24-bit picture of a frame: for a frame read from a file, the grey of each level.
QImage toColourFrame(const QImage& frame);

} // namespace vantrel
