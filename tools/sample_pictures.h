#pragma once

#include <QImage>
#include <QSize>

namespace vantrel::samples {

// A 640 × 480 landscape with soft gradients, for cut areas and dithering.
QImage drawLandscape();

// A black-and-white banner three times the panel's size, for sharp edges and text.
QImage drawBanner();

// A picture of exactly the panel's size: a smooth grey ramp above four flat grey steps.
QImage drawGreyRamp();

// Frame `frame` (1-based) of `frames`: a ball bouncing from left to right over a gradient while a
// star turns, so both a moving cut area and a fixed one have something to follow.
QImage drawBouncingBall(int frame, int frames, QSize size);

} // namespace vantrel::samples
