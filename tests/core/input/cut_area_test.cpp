#include "core/input/cut_area.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vantrel;

TEST(CutArea, StartsAsTheWholeViewOnFrameOne)
{
    const TCutArea area = initialCutArea(203, 55, TCutArea::EndKind);
    EXPECT_EQ(area.Left, 0);
    EXPECT_EQ(area.Top, 0);
    EXPECT_EQ(area.Right, 202);
    EXPECT_EQ(area.Bottom, 54);
    EXPECT_EQ(area.FrameNo, 1);
    EXPECT_EQ(area.Shown, 0);
    EXPECT_EQ(area.Kind, TCutArea::EndKind);
}

TEST(CutArea, StatusTextsByKind)
{
    TCutArea area = initialCutArea(203, 55, TCutArea::StartKind);
    EXPECT_EQ(areaStatusPanel(area), 0);
    EXPECT_EQ(areaStatusText(area, 9.0f, 9.0f), QStringLiteral("Start 1:(0,0)-(202,54)"));

    area.Kind = TCutArea::EndKind;
    area.FrameNo = 12;
    area.Left = -3;
    EXPECT_EQ(areaStatusPanel(area), 1);
    EXPECT_EQ(areaStatusText(area, 9.0f, 9.0f), QStringLiteral("End 12:(-3,0)-(202,54)"));
}

TEST(CutArea, TextRectangleIsScaledToFramePixelsAndTruncated)
{
    TCutArea area;
    area.Kind = TCutArea::FontKind;
    area.Left = 10;
    area.Top = 20;
    area.Right = 15;
    area.Bottom = 15;
    EXPECT_EQ(areaStatusPanel(area), 2);
    // 160 / 292 and 54 / 110 with the default panel and preview.
    EXPECT_EQ(areaStatusText(area, 160.0f / 292.0f, 54.0f / 110.0f), QStringLiteral("Font :(5,9)-(8,7)"));
    area.Kind = 7;
    EXPECT_EQ(areaStatusPanel(area), 2);
}

TEST(CutArea, TextRectangleSurvivesAbsurdScales)
{
    TCutArea area;
    area.Kind = TCutArea::FontKind;
    area.Right = 15;
    area.Bottom = -15;
    const float inf = std::numeric_limits<float>::infinity();
    // A zero-sized preview gives infinite scales; 0 * inf is NaN.
    EXPECT_EQ(areaStatusText(area, inf, inf), QStringLiteral("Font :(0,0)-(2147483520,-2147483648)"));
    EXPECT_EQ(areaStatusText(area, 1e30f, 1e30f), QStringLiteral("Font :(0,0)-(2147483520,-2147483648)"));
}
