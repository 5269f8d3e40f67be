#pragma once

#include <QRect>
#include <QString>

#include <cstdint>

namespace vantrel {

// A rectangle on the input view (start or end area) or on the text preview (the text's place).
struct TCutArea
{
    enum : std::int32_t { StartKind = 0, EndKind = 1, FontKind = 2 };

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::int32_t FrameNo = 1; // 1-based input frame
    std::uint8_t Shown = 0;
    std::int32_t Kind = StartKind;
};

// The area's rectangle, Right - Left wide and Bottom - Top high.
inline QRect areaRect(const TCutArea& area)
{
    return QRect(area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top);
}

// The area's corners from a rectangle of areaRect's kind.
inline void setAreaRect(TCutArea& area, const QRect& rect)
{
    area.Left = rect.x();
    area.Top = rect.y();
    area.Right = rect.x() + rect.width();
    area.Bottom = rect.y() + rect.height();
}

// The whole view on frame 1, not shown.
TCutArea initialCutArea(int viewWidth, int viewHeight, std::int32_t kind);

// Status bar panel of an area: 0 start, 1 end, 2 anything else.
int areaStatusPanel(const TCutArea& area);

// The status bar text; sx and sy scale the text rectangle from preview to frame pixels and are
// used for the text rectangle only.
QString areaStatusText(const TCutArea& area, float sx, float sy);

} // namespace vantrel
