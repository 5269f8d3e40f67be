#pragma once

#include "core/imaging/mono_conversion.h"

#include <QImage>
#include <QList>
#include <QSize>

#include <cstdint>

namespace vantrel {

inline constexpr int MaxStripScale = 64;
inline constexpr int MaxStripSide = 1 << 16;
inline constexpr qint64 MaxStripPixels = qint64{1} << 26;
inline constexpr QRgb StripGapColour = 0xFF808080;

// The size of a strip of frames of these sizes, left to right with 1-pixel gaps, each dot
// scale x scale pixels; an invalid size when the scale is outside 1..MaxStripScale, there is
// no frame, or the strip would exceed MaxStripSide a side or MaxStripPixels in all.
QSize stripSize(const QList<QSize>& frameSizes, int scale);

// Every frame as the panel shows it: its levels (the top two bits of other depths) tinted with
// the colour code through the backlight levels, each dot scale x scale pixels, top-aligned,
// gaps and the space under shorter frames in StripGapColour. A null image when stripSize
// refuses.
QImage renderStrip(const QList<QImage>& frames, int scale, std::uint8_t colorCode,
                   const BacklightLevels& levels);

} // namespace vantrel
