#pragma once

#include "core/input/cut_area.h"
#include "core/input/input_picture.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace vantrel {

// Where the zoomed input picture lies in the input view.
struct InputViewGeometry
{
    double dstLeft = 0.0; // offset of the picture in the view: 0, or negative when scrolled
    double dstTop = 0.0;
    double dstWidth = 0.0; // the zoomed picture's size
    double dstHeight = 0.0;
    int viewWidth = 0; // the view's size, scroll bars included
    int viewHeight = 0;
};

// The parts of an area the mouse can grab: 0 outside, 1..9 row by row from the top-left corner
// (1 top-left, 2 top edge, 3 top-right, 4 left edge, 5 inside, 6 right edge, 7 bottom-left,
// 8 bottom edge, 9 bottom-right).
enum AreaZone : int {
    ZoneOutside = 0,
    ZoneTopLeft = 1,
    ZoneTop = 2,
    ZoneTopRight = 3,
    ZoneLeft = 4,
    ZoneInside = 5,
    ZoneRight = 6,
    ZoneBottomLeft = 7,
    ZoneBottom = 8,
    ZoneBottomRight = 9,
};

// The zone under the view point (x, y), the picture lying at (dstLeft, dstTop) in the view.
// Each edge grabs from 2 pixels outside to 2 inside.
int HitTestArea(const TCutArea& area, double dstLeft, double dstTop, int x, int y);

// One mouse step of moving (zone 5) or resizing (edges and corners) the area by (dx, dy) view
// pixels. `aspect` (height / width captured at mouse-down, 0 for none) keeps the shape while a
// corner is dragged. A step that would leave the area narrower or lower than 10 pixels changes
// nothing. The view scrolls (view.dstLeft / dstTop change) when a moved edge leaves the visible
// part, and the area always ends within 0..dstWidth by 0..dstHeight. Returns false, changing
// nothing, when dx and dy are both 0.
bool DragArea(TCutArea& area, int zone, float aspect, int dx, int dy, InputViewGeometry& view);

// Pushes the area back inside the picture's right and bottom edges, keeping its size where it
// fits.
void ClampArea(TCutArea& area, double dstWidth, double dstHeight);

// The picture offset (dstLeft, dstTop; 0 or negative) that centres the area in a view of the
// given size.
QPoint scrollToArea(const TCutArea& area, int viewWidth, int viewHeight);

// The default area size (width and height in view pixels, Right - Left and Bottom - Top): the
// shape of the panel's view rectangle, at most viewRectWidth - 1 by viewRectHeight - 1, scaled
// down to fit the displayed picture.
QSize defaultAreaSize(double dstWidth, double dstHeight, int viewRectWidth, int viewRectHeight);

// The largest area of the shape's proportions that fits in the picture, centred in it (halves
// rounded down), in the picture's own pixels; empty for an empty picture or shape.
QRect centredAreaOfShape(QSize picture, QSize shape);

// The picture region an area marks, kept while the zoom changes, so that rounding to view
// pixels and a clamp at a small zoom never move or shrink what the user marked.
struct MarkedRegion
{
    QRectF picture; // picture pixels
    QRect view;     // the area's rectangle when `picture` was last taken or kept
};

// Puts the area, in view pixels at zoom `fromPercent`, at zoom `toPercent` over the same picture
// region (edges rounded to view pixels). The region is the remembered one while the area still
// stands where it was last put, else the area's own; either way it is remembered.
void rezoomArea(TCutArea& area, MarkedRegion& memory, int fromPercent, int toPercent);

// How a cut is scaled to the panel: each dot takes the picture pixel it falls on, or the exact
// average of the pixels it covers (smooth: no aliasing of fine detail, no shimmer as the cut
// moves).
enum class CutScaling { Nearest, Smooth };

// The part of the picture the area selects at the zoom in percent (the area is in view pixels),
// scaled to the panel size, 24-bit. Parts outside the picture are black.
QImage CutArea(const InputPicture& picture, const TCutArea& area, int zoomPercent, QSize panelSize,
               CutScaling scaling = CutScaling::Nearest);
QImage CutArea(const QImage& picture, const TCutArea& area, int zoomPercent, QSize panelSize,
               CutScaling scaling = CutScaling::Nearest);

} // namespace vantrel
