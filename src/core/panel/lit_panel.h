#pragma once

#include "core/imaging/color_reduction.h"

#include <QImage>
#include <QSize>

namespace vantrel {

inline constexpr QRgb DotGapColour = 0xFF101010;
// Colour-table entries of a lit panel: 0..3 the tinted levels, then the gap.
inline constexpr int DotGapEntry = 4;
inline constexpr int LitPanelEntries = 5;

// A mono frame as the lit panel shows it at `size`: each dot takes the block of pixels a
// nearest-neighbour stretch gives it (scale x scale when the size is the frame's times scale),
// in its level (the top two bits of other depths) tinted through `tints`. With `dots`, each dot
// is the largest circle centred in its block on DotGapColour, as on a real dot-matrix panel;
// blocks under 4 pixels across come out filled. Indexed, with the LitPanelEntries colours, so
// that frames share one colour table. A null image for a null frame or an empty size.
QImage renderLitPanel(const QImage& mono, QSize size, const Palette4& tints, bool dots);

} // namespace vantrel
