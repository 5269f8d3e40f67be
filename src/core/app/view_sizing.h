#pragma once

#include <QRect>
#include <QSize>

namespace vantrel {

// right - left + 1 of an inclusive pixel range, kept within ±2^24 so that no later sum overflows
// whatever a settings file holds.
int inclusiveExtent(int first, int last);

// Where a frame view sits in its box: the view size scaled by the largest factor that fits the
// box less a 2-pixel border, centred. An empty or negative view size gives an empty rectangle.
QRect frameViewRect(QSize box, int viewWidth, int viewHeight);

} // namespace vantrel
