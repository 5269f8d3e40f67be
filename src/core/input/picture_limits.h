#pragma once

#include "core/input/media_file.h"

#include <QSize>

namespace vantrel {

// True when a picture or frame of this size must be refused: a side over MaxPictureSide or the
// 24-bit result over MaxDecodedBytes.
inline bool exceedsPictureLimits(qint64 width, qint64 height)
{
    if (width > MaxPictureSide || height > MaxPictureSide)
        return true;
    return width * height * 3 > MaxDecodedBytes;
}

} // namespace vantrel
