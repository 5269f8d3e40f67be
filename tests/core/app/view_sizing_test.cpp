#include "core/app/view_sizing.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vantrel;

TEST(ViewSizing, ExtentIsInclusive)
{
    EXPECT_EQ(inclusiveExtent(45, 247), 203);
    EXPECT_EQ(inclusiveExtent(97, 151), 55);
    EXPECT_EQ(inclusiveExtent(10, 10), 1);
    EXPECT_EQ(inclusiveExtent(10, 5), -4);
}

TEST(ViewSizing, ExtremeRectanglesStayBounded)
{
    constexpr int lo = std::numeric_limits<int>::min();
    constexpr int hi = std::numeric_limits<int>::max();
    EXPECT_EQ(inclusiveExtent(lo, hi), 1 << 24);
    EXPECT_EQ(inclusiveExtent(hi, lo), -(1 << 24));
}

TEST(ViewSizing, ViewScalesToTheTighterSideAndCentres)
{
    // (226 - 2) / 203 = 1.10, (62 - 2) / 55 = 1.09: the height decides.
    const QRect rect = frameViewRect(QSize(226, 62), 203, 55);
    EXPECT_EQ(rect.size(), QSize(221, 60));
    EXPECT_EQ(rect.topLeft(), QPoint(2, 1));

    // A box exactly 2 pixels larger shows the view 1:1.
    EXPECT_EQ(frameViewRect(QSize(205, 57), 203, 55), QRect(1, 1, 203, 55));
}

TEST(ViewSizing, DegenerateViewsGiveEmptyRectangles)
{
    EXPECT_TRUE(frameViewRect(QSize(226, 62), 0, 55).isEmpty());
    EXPECT_TRUE(frameViewRect(QSize(226, 62), 203, -3).isEmpty());
    EXPECT_TRUE(frameViewRect(QSize(1, 1), 203, 55).isEmpty());
    const QRect huge = frameViewRect(QSize(226, 62), 1 << 24, 1);
    EXPECT_LE(huge.width(), 224);
    EXPECT_GE(huge.width(), 0);
}
