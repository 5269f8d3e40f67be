#include "core/app/view_sizing.h"

#include <algorithm>
#include <cstdint>

namespace vantrel {

int inclusiveExtent(int first, int last)
{
    constexpr std::int64_t limit = std::int64_t{1} << 24;
    const std::int64_t extent = std::int64_t{last} - first + 1;
    return static_cast<int>(std::clamp(extent, -limit, limit));
}

QRect frameViewRect(QSize box, int viewWidth, int viewHeight)
{
    if (viewWidth <= 0 || viewHeight <= 0)
        return QRect(box.width() / 2, box.height() / 2, 0, 0);
    const float scale = std::min(static_cast<float>(box.width() - 2) / static_cast<float>(viewWidth),
                                 static_cast<float>(box.height() - 2) / static_cast<float>(viewHeight));
    // The view extents are bounded, so these products fit an int.
    const int width = std::max(0, static_cast<int>(static_cast<float>(viewWidth) * scale));
    const int height = std::max(0, static_cast<int>(static_cast<float>(viewHeight) * scale));
    return QRect((box.width() - width) / 2, (box.height() - height) / 2, width, height);
}

} // namespace vantrel
