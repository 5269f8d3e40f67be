#pragma once

#include "core/imaging/mono_conversion.h"

#include <QImage>
#include <QSize>

#include <cstdint>

namespace vantrel {

// A mono frame as the faceplate shows it: tinted for the backlight code and stretched to the
// view without interpolation, so a 160 x 54 frame fills a 203 x 55 view; the frame is unchanged.
QImage panelViewImage(const QImage& mono, const BacklightLevels& levels, std::uint8_t code, QSize view);

} // namespace vantrel
