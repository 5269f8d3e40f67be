#pragma once

#include "core/input/media_file.h"

#include <algorithm>

namespace vantrel {

// The pages a load delivers: page 0 means page 1, and the count stops at the last page.
struct PageRange
{
    int first = 1;
    int count = 0;
};

inline int clampPageRange(int firstPage, int count, int frameCount, PageRange& range)
{
    const int first = std::max(firstPage, 1);
    if (firstPage < 0 || count < 1 || first > frameCount)
        return MediaNoFrames;
    range.first = first;
    range.count = std::min(count, frameCount - first + 1);
    return MediaOk;
}

} // namespace vantrel
