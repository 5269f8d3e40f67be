#pragma once

#include <QImage>

namespace vantrel {

// The picture reduced to at most maxColours (1..256) colours by median cut: the box of colours
// whose widest channel range is the largest is split at its median pixel until there are
// maxColours boxes or no box holds two colours; each box becomes the pixel-weighted mean of its
// colours. A picture with no more colours than that keeps them exactly. Indexed
// (Format_Indexed8); the same picture always gives the same result. Null for a null picture.
QImage medianCut(const QImage& picture, int maxColours);

} // namespace vantrel
