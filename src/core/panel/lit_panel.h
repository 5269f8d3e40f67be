#pragma once

#include "core/imaging/color_reduction.h"

#include <QImage>
#include <QSize>

namespace vantrel {

inline constexpr QRgb DotGapColour = 0xFF101010;
// Colour-table entries of a lit panel: 0..3 the tinted levels, then the gap, then each level at
// the partial coverages of a dot's smoothed edge.
inline constexpr int DotGapEntry = 4;
inline constexpr int EdgeCoverages = 6; // between gap (0) and full (EdgeCoverages + 1)
inline constexpr int LitPanelEntries = 5 + 4 * EdgeCoverages;

// A device's dots in its own units: each dot `width` by `height`, `space` between neighbours.
struct DotGeometry
{
    int width = 46;
    int height = 34;
    int space = 12;
};

// Where the dots of a panel lie on `pixels`: dot i of a row starts at round(i * pitch) and every
// dot is the same size, smaller than the pitch by a gap of at least one pixel once the pitch is
// 2 pixels or more.
struct DotLayout
{
    double pitchX = 0, pitchY = 0;
    int dotWidth = 0, dotHeight = 0;
    int left(int column) const;
    int top(int row) const;
};

// The layout of `dots` spread over `pixels`, the dots shaped as `geometry` says.
DotLayout layoutDots(QSize dots, QSize pixels, const DotGeometry& geometry);

// The panel's pixel size for a pitch of `pitch` pixels across: the rows follow the geometry.
QSize dottedPanelSize(QSize dots, int pitch, const DotGeometry& geometry);

// A mono frame as the lit panel shows it at `size`, each dot in its level (the top two bits of
// other depths) tinted through `tints`. Plain: each dot takes the block of pixels a
// nearest-neighbour stretch gives it. With `geometry`, each dot is a rounded shape of the
// layout's size with smoothed edges on DotGapColour, as on the device. Indexed, with the
// LitPanelEntries colours, so that frames share one colour table. A null image for a null
// frame or an empty size.
QImage renderLitPanel(const QImage& mono, QSize size, const Palette4& tints, const DotGeometry* geometry);

// The colour table of a lit panel.
QList<QRgb> litPanelColours(const Palette4& tints);

} // namespace vantrel
