#include "core/input/cut_geometry.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace vantrel;

namespace {

TCutArea rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}

// Every pixel tells its place: red, green = low bits of x, y; blue = their high bits, never 0.
QImage placePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(x & 255, y & 255, 1 + (x >> 8) * 16 + (y >> 8)));
    return picture;
}

} // namespace

TEST(CutGeometry, HitZones)
{
    const TCutArea area = rect(10, 10, 50, 40);
    struct Case
    {
        double dstLeft, dstTop;
        int x, y, zone;
    } cases[] = {
        {0, 0, 12, 12, 1},
        {0, 0, 30, 12, 2},
        {0, 0, 48, 12, 3},
        {0, 0, 30, 25, 5},
        {0, 0, 30, 38, 8},
        {0, 0, 8, 25, 4},
        {0, 0, 7, 25, 0},
        {0, 0, 12, 25, 4},
        {0, 0, 13, 25, 5},
        {0, 0, 52, 25, 6},
        {0, 0, 53, 25, 0},
        {0, 0, 10, 40, 7},
        {0, 0, 50, 40, 9},
        {0, 0, 30, 42, 8},
        {0, 0, 30, 43, 0},
        {0, 0, 30, 8, 2},
        {0, 0, 30, 7, 0},
        // Scrolled by -20.7, -5.2: the offsets count as -20 and -5.
        {-20.7, -5.2, -8, 7, 1},
        {-20.7, -5.2, -13, 20, 0},
        {-20.7, -5.2, 32, 37, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitTestArea(area, c.dstLeft, c.dstTop, c.x, c.y), c.zone)
            << "(" << c.x << "," << c.y << ") scrolled " << c.dstLeft << "," << c.dstTop;
}

TEST(CutGeometry, DragStepsLimitsAndScrolling)
{
    // A 300 x 200 view on a 640.7 x 480 picture: both scroll bars show, so 15 pixels go to each.
    struct Case
    {
        const char* what;
        TCutArea area;
        int zone;
        float aspect;
        int dx, dy;
        double dstLeft, dstTop;
        TCutArea expected;
        double expectedLeft, expectedTop;
    } cases[] = {
        {"left edge to 10 wide", rect(10, 10, 50, 40), 4, 0, 30, 0, 0, 0, rect(40, 10, 50, 40), 0, 0},
        {"left edge to 9 wide", rect(10, 10, 50, 40), 4, 0, 31, 5, 0, 0, rect(10, 10, 50, 40), 0, 0},
        {"bottom edge to 9 high", rect(10, 10, 50, 40), 8, 0, 0, -21, 0, 0, rect(10, 10, 50, 40), 0, 0},
        {"top edge ignores dx", rect(10, 10, 50, 40), 2, 0, 7, -4, 0, 0, rect(10, 6, 50, 40), 0, 0},
        {"free corner", rect(10, 10, 50, 40), 9, 0, 5, 7, 0, 0, rect(10, 10, 55, 47), 0, 0},
        {"locked corner across", rect(100, 100, 140, 130), 9, 0.5f, 10, 3, 0, 0, rect(100, 100, 150, 120), 0,
         0},
        {"locked corner up", rect(100, 100, 140, 130), 1, 0.5f, 0, -6, 0, 0, rect(80, 94, 140, 130), 0, 0},
        {"locked corner truncates", rect(100, 100, 140, 130), 7, 0.33f, -3, 0, 0, 0, rect(97, 100, 140, 113),
         0, 0},
        {"locked corner to 9 wide", rect(100, 100, 140, 130), 3, 0.75f, -31, 0, 0, 0,
         rect(100, 100, 140, 130), 0, 0},
        {"locked edge", rect(100, 100, 140, 130), 6, 0.5f, 10, 0, 0, 0, rect(100, 100, 150, 130), 0, 0},
        {"resize past the picture", rect(100, 100, 630, 130), 6, 0, 100, 0, -300, 0, rect(100, 100, 640, 130),
         -357, 0},
        {"move into the corner", rect(5, 3, 45, 33), 5, 0, -10, -10, 0, 0, rect(0, 0, 40, 30), 0, 0},
        {"move against the right", rect(600, 10, 630, 40), 5, 0, 25, 0, -357, 0, rect(610, 10, 640, 40), -357,
         0},
        {"right edge scrolls", rect(100, 10, 370, 50), 6, 0, 20, 0, -100, 0, rect(100, 10, 390, 50), -107, 0},
        {"left edge scrolls", rect(110, 10, 200, 50), 4, 0, -20, 0, -100, 0, rect(90, 10, 200, 50), -90, 0},
        {"bottom edge scrolls", rect(10, 100, 100, 180), 8, 0, 0, 10, 0, 0, rect(10, 100, 100, 190), 0, -7},
        {"move drags left", rect(100, 10, 200, 50), 5, 0, -5, 0, -100, 0, rect(95, 10, 195, 50), -95, 0},
        {"move drags right", rect(300, 10, 380, 50), 5, 0, 5, 0, -100, 0, rect(305, 10, 385, 50), -105, 0},
        {"move stops short of right", rect(300, 10, 375, 50), 5, 0, 5, 0, -100, 0, rect(305, 10, 380, 50),
         -100, 0},
        {"move just to the border", rect(300, 10, 378, 50), 5, 0, 5, 0, -100, 0, rect(305, 10, 383, 50), -100,
         0},
        {"no scroll before the start", rect(3, 10, 43, 50), 5, 0, -3, 0, -1, 0, rect(0, 10, 40, 50), 0, 0},
    };
    for (const Case& c : cases) {
        TCutArea area = c.area;
        InputViewGeometry view{c.dstLeft, c.dstTop, 640.7, 480, 300, 200};
        EXPECT_TRUE(DragArea(area, c.zone, c.aspect, c.dx, c.dy, view)) << c.what;
        EXPECT_EQ(std::tuple(area.Left, area.Top, area.Right, area.Bottom),
                  std::tuple(c.expected.Left, c.expected.Top, c.expected.Right, c.expected.Bottom))
            << c.what;
        EXPECT_EQ(view.dstLeft, c.expectedLeft) << c.what;
        EXPECT_EQ(view.dstTop, c.expectedTop) << c.what;
    }

    TCutArea area = rect(10, 10, 50, 40);
    InputViewGeometry view{0, 0, 20, 20, 300, 200};
    EXPECT_FALSE(DragArea(area, 5, 0, 0, 0, view)) << "no step leaves even an oversized area alone";
    EXPECT_EQ(area.Right, 50);
}

TEST(CutGeometry, ClampScrollAndDefaultSize)
{
    TCutArea area = rect(600, 400, 700, 450);
    ClampArea(area, 640.7, 430.2);
    EXPECT_EQ(std::tuple(area.Left, area.Top, area.Right, area.Bottom), std::tuple(540, 380, 640, 430));
    area = rect(20, 10, 120, 60);
    ClampArea(area, 80, 40);
    EXPECT_EQ(std::tuple(area.Left, area.Top, area.Right, area.Bottom), std::tuple(0, 0, 80, 40));

    EXPECT_EQ(scrollToArea(rect(300, 200, 400, 260), 200, 100), QPoint(-251, -181));
    EXPECT_EQ(scrollToArea(rect(10, 5, 50, 30), 200, 100), QPoint(0, 0));
    // (100 - 151 - 2) / 2 truncates to -26.
    EXPECT_EQ(scrollToArea(rect(100, 100, 251, 120), 100, 100).x(), -126);

    EXPECT_EQ(defaultAreaSize(100, 100, 203, 55), QSize(99, 26));
    EXPECT_EQ(defaultAreaSize(640, 480, 203, 55), QSize(202, 54));
}

TEST(CutGeometry, CutIsStretchedToThePanelAndBlackBeyondThePicture)
{
    const QImage picture = placePicture(640, 480);
    struct Case
    {
        TCutArea area;
        int zoom;
        int left, top, width, height; // the picture rectangle the area selects
    } cases[] = {
        {rect(20, 10, 120, 60), 200, 10, 5, 50, 25},
        {rect(630, 470, 650, 490), 100, 630, 470, 20, 20},
        {rect(30, 30, 90, 60), 150, 20, 20, 40, 20},
    };
    for (const Case& c : cases) {
        const QImage cut = CutArea(picture, c.area, c.zoom, QSize(160, 54));
        ASSERT_EQ(cut.size(), QSize(160, 54));
        int wrong = 0;
        for (int y = 0; y < 54; ++y)
            for (int x = 0; x < 160; ++x) {
                const int px = c.left + x * c.width / 160, py = c.top + y * c.height / 54;
                const QRgb expected = picture.valid(px, py) ? picture.pixel(px, py) : qRgb(0, 0, 0);
                wrong += cut.pixel(x, y) != expected;
            }
        EXPECT_EQ(wrong, 0) << "zoom " << c.zoom << " from " << c.left << "," << c.top;
    }
    QImage black(160, 54, QImage::Format_RGB888);
    black.fill(Qt::black);
    EXPECT_EQ(CutArea(picture, rect(20, 10, 20, 60), 100, {160, 54}), black) << "an area of no width";

    // The input view at a zoom: pixel (x, y) of 160 x 60 is the picture's (4x, 8y).
    const QImage zoomed = resizedNearest(InputPicture(picture), {160, 60});
    int wrong = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 160; ++x)
            wrong += zoomed.pixel(x, y) != picture.pixel(4 * x, 8 * y);
    EXPECT_EQ(wrong, 0);
}

// Smooth: a flat area keeps its level; a one-pixel checker halved averages each 2 x 2 block; a
// cut 3 pixels wide into 2 dots gives each dot one pixel and half of the middle one.
TEST(CutGeometry, SmoothCutAveragesThePixelsUnderEachDot)
{
    QImage flat(40, 20, QImage::Format_RGB888);
    flat.fill(qRgb(90, 140, 200));
    EXPECT_EQ(CutArea(flat, rect(3, 2, 37, 19), 100, {7, 5}, CutScaling::Smooth), [] {
        QImage expected(7, 5, QImage::Format_RGB888);
        expected.fill(qRgb(90, 140, 200));
        return expected;
    }());

    QImage checker(8, 4, QImage::Format_RGB888);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage halved = CutArea(checker, rect(0, 0, 8, 4), 100, {4, 2}, CutScaling::Smooth);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(halved.pixel(x, y), qRgb(128, 128, 128)) << x << "," << y; // 127.5 rounded

    QImage row(3, 1, QImage::Format_RGB888);
    row.setPixel(0, 0, qRgb(0, 0, 0));
    row.setPixel(1, 0, qRgb(100, 100, 100));
    row.setPixel(2, 0, qRgb(200, 200, 200));
    const QImage two = CutArea(row, rect(0, 0, 3, 1), 100, {2, 1}, CutScaling::Smooth);
    EXPECT_EQ(qRed(two.pixel(0, 0)), 33);  // (0 + 100 / 2) / 1.5
    EXPECT_EQ(qRed(two.pixel(1, 0)), 167); // (100 / 2 + 200) / 1.5
}

TEST(CentredAreaOfShape, FillsOneSideAndCentresTheOther)
{
    EXPECT_EQ(centredAreaOfShape({640, 480}, {160, 54}), QRect(0, 132, 640, 216));
    EXPECT_EQ(centredAreaOfShape({100, 20}, {160, 54}), QRect(20, 0, 59, 20));
    EXPECT_EQ(centredAreaOfShape({320, 108}, {160, 54}), QRect(0, 0, 320, 108));
    EXPECT_EQ(centredAreaOfShape({1, 1000}, {160, 54}), QRect(0, 499, 1, 1));
    EXPECT_TRUE(centredAreaOfShape({0, 10}, {160, 54}).isNull());
}
