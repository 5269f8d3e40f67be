#pragma once

#include "core/imaging/mono_conversion.h"

#include <QImage>
#include <QSize>

#include <cstdint>

namespace vantrel {

// A mono frame as a preview shows it: tinted in the backlight's colour and fitted to the view.
QImage tintedPreview(QImage mono, const BacklightLevels& levels, std::uint8_t colorCode, QSize view);

// A colour picture's mono conversion with the dithering at that list index, shown the same way.
QImage monoPreview(const QImage& colour, int dithering, const BacklightLevels& levels, std::uint8_t colorCode,
                   QSize view);

} // namespace vantrel
