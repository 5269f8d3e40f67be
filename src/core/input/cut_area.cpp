#include "core/input/cut_area.h"

#include <cmath>
#include <limits>

namespace vantrel {

namespace {

// Truncation that stays defined for any panel size a settings file can hold.
int truncated(float value)
{
    if (std::isnan(value))
        return 0;
    constexpr float lowest = static_cast<float>(std::numeric_limits<int>::min());
    constexpr float highest = 2147483520.0f; // the largest float below 2^31
    if (value <= lowest)
        return std::numeric_limits<int>::min();
    if (value >= highest)
        return static_cast<int>(highest);
    return static_cast<int>(value);
}

QString corners(int left, int top, int right, int bottom)
{
    return QStringLiteral(":(%1,%2)-(%3,%4)").arg(left).arg(top).arg(right).arg(bottom);
}

} // namespace

TCutArea initialCutArea(int viewWidth, int viewHeight, std::int32_t kind)
{
    TCutArea area;
    area.Right = viewWidth - 1;
    area.Bottom = viewHeight - 1;
    area.Kind = kind;
    return area;
}

int areaStatusPanel(const TCutArea& area)
{
    if (area.Kind == TCutArea::StartKind)
        return 0;
    if (area.Kind == TCutArea::EndKind)
        return 1;
    return 2;
}

QString areaStatusText(const TCutArea& area, float sx, float sy)
{
    if (area.Kind == TCutArea::StartKind || area.Kind == TCutArea::EndKind) {
        const QString prefix =
            area.Kind == TCutArea::StartKind ? QStringLiteral("Start ") : QStringLiteral("End ");
        return prefix + QString::number(area.FrameNo) + corners(area.Left, area.Top, area.Right, area.Bottom);
    }
    return QStringLiteral("Font ") + corners(truncated(static_cast<float>(area.Left) * sx),
                                             truncated(static_cast<float>(area.Top) * sy),
                                             truncated(static_cast<float>(area.Right) * sx),
                                             truncated(static_cast<float>(area.Bottom) * sy));
}

} // namespace vantrel
