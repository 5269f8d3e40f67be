#include "core/imaging/bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace vantrel {
namespace {

static_assert(static_cast<int>(CombineMode::Copy) == 800);

// Every pixel distinct: (x + 1, y + 1, tag).
QImage tagged(int w, int h, int tag)
{
    QImage image = createBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setPixelAt(image, x, y, rgb(x + 1, y + 1, tag));
    return image;
}

// Inside [x0, x0 + w) x [y0, y0 + h) the destination holds source pixel (x - x0 + sx, y - y0 + sy)
// of tagged(.., 2); elsewhere its own tagged(.., 1) pixel.
void expectCopied(const QImage& dst, int x0, int y0, int w, int h, int sx = 0, int sy = 0)
{
    for (int y = 0; y < dst.height(); ++y)
        for (int x = 0; x < dst.width(); ++x) {
            const bool in = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
            ASSERT_EQ(pixelAt(dst, x, y),
                      in ? rgb(x - x0 + sx + 1, y - y0 + sy + 1, 2) : rgb(x + 1, y + 1, 1))
                << "at " << x << "," << y;
        }
}

TEST(Bitmap, CreateFillAndBits)
{
    QImage image = createBitmap(160, 54);
    ASSERT_EQ(image.format(), QImage::Format_RGB888);
    EXPECT_EQ(image.size(), QSize(160, 54));
    EXPECT_EQ(pixelAt(image, 0, 0) | pixelAt(image, 159, 53), 0u);
    for (QSize bad : {QSize(0, 10), QSize(10, 0), QSize(-1, 10), QSize(10, INT_MIN)})
        EXPECT_TRUE(createBitmap(bad.width(), bad.height()).isNull());
    fillBitmap(image, rgb(10, 20, 30));
    EXPECT_EQ(pixelAt(image, 100, 40), rgb(10, 20, 30));

    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(200, 0, 0), qRgb(0, 0, 200)});
    fillBitmap(indexed, rgb(10, 0, 180)); // nearest entry: 2
    EXPECT_EQ(indexed.pixelIndex(3, 3), 2);

    EXPECT_EQ(bitmapBits(image), 24);
    EXPECT_EQ(bitmapBits(QImage()), 0);
    EXPECT_EQ(bitmapBits(QImage(2, 2, QImage::Format_Grayscale8)), 8);
    for (auto [entries, bits] : {std::pair{2, 1}, {3, 2}, {4, 2}, {16, 4}, {17, 8}, {256, 8}}) {
        indexed.setColorCount(entries);
        EXPECT_EQ(bitmapBits(indexed), bits) << entries;
    }
}

TEST(Bitmap, PixelAccessConventionAndOutOfRange)
{
    QImage image = createBitmap(4, 3);
    setPixelAt(image, 1, 2, 0x00332211); // 0x00BBGGRR
    EXPECT_EQ(image.pixelColor(1, 2), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(pixelAt(image, 1, 2), 0x00332211u);
    const QImage before = image.copy();
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {INT_MIN, INT_MAX}}) {
        EXPECT_EQ(pixelAt(image, x, y), 0u) << x << "," << y;
        setPixelAt(image, x, y, rgb(255, 255, 255));
    }
    EXPECT_EQ(image, before);

    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    setPixelAt(indexed, 0, 0, rgb(200, 190, 180)); // nearest entry
    EXPECT_EQ(pixelAt(indexed, 0, 0), rgb(255, 255, 255));
    indexed.setPixel(1, 0, 7); // past the colour table
    EXPECT_EQ(pixelAt(indexed, 1, 0), 0u);
}

TEST(Bitmap, ResizeNearestPicksStandardPixel)
{
    const QImage source = tagged(7, 5, 0);
    for (QSize size : {QSize(7, 5), QSize(3, 2), QSize(14, 10), QSize(11, 3), QSize(1, 1), QSize(160, 54)}) {
        const QImage out = resizeNearest(source, size.width(), size.height());
        ASSERT_EQ(out.size(), size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                ASSERT_EQ(pixelAt(out, x, y), pixelAt(source, x * 7 / size.width(), y * 5 / size.height()))
                    << size.width() << "x" << size.height() << " at " << x << "," << y;
    }
    EXPECT_EQ(FitToView(source, QSize(3, 8)), resizeNearest(source, 3, 8));
    EXPECT_TRUE(resizeNearest(source, 0, 3).isNull());
    EXPECT_TRUE(FitToView(QImage(), QSize(3, 3)).isNull());

    QImage indexed(4, 1, QImage::Format_Indexed8); // format and colour table kept
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(9, 9, 9), qRgb(50, 0, 0), qRgb(0, 0, 50)});
    for (int x = 0; x < 4; ++x)
        indexed.setPixel(x, 0, static_cast<uint>(3 - x));
    const QImage out = resizeNearest(indexed, 8, 2);
    EXPECT_EQ(out.format(), QImage::Format_Indexed8);
    EXPECT_EQ(out.colorTable(), indexed.colorTable());
    EXPECT_EQ(out.pixelIndex(5, 1), 1);
}

TEST(Combine, ModesPerChannel)
{
    struct Case
    {
        CombineMode mode;
        ColorRef d, s, expected;
    };
    for (const Case& c :
         {Case{CombineMode::And, rgb(0xF0, 0x0F, 0xFF), rgb(0x3C, 0x3C, 0), rgb(0x30, 0x0C, 0)},
          Case{CombineMode::Or, rgb(0xF0, 0x0F, 0), rgb(0x3C, 0x3C, 1), rgb(0xFC, 0x3F, 1)},
          Case{CombineMode::Add, rgb(10, 200, 255), rgb(20, 100, 0), rgb(30, 255, 255)},
          Case{CombineMode::Add, rgb(128, 127, 1), rgb(128, 128, 254), rgb(255, 255, 255)},
          Case{CombineMode::Copy, rgb(1, 2, 3), rgb(200, 100, 50), rgb(200, 100, 50)}}) {
        QImage dst = createBitmap(3, 2);
        fillBitmap(dst, c.d);
        QImage src = createBitmap(3, 2);
        fillBitmap(src, c.s);
        combine(dst, 1, 0, 2, 2, src, 0, 0, c.mode);
        EXPECT_EQ(pixelAt(dst, 2, 1), c.expected) << static_cast<int>(c.mode);
        EXPECT_EQ(pixelAt(dst, 0, 0), c.d) << "outside the rectangle";
    }
}

TEST(Combine, ClipsAgainstBothBitmaps)
{
    struct Case
    {
        double left, top, width, height, srcLeft, srcTop;
        int srcW, srcH;
        int x0, y0, w, h, sx, sy; // expected rectangle and source origin
    };
    const Case cases[] = {
        {-2, 0, 4, 3, 0, 0, 20, 20, 0, 0, 2, 3, 2, 0},             // left edge
        {0, -3, 3, 5, 0, 0, 20, 20, 0, 0, 3, 2, 0, 3},             // top edge
        {4, 1, 9, 2, 0, 0, 20, 20, 4, 1, 2, 2, 0, 0},              // right edge
        {1, 3, 2, 9, 0, 0, 20, 20, 1, 3, 2, 2, 0, 0},              // bottom edge
        {-1, -1, 99, 99, 0, 0, 20, 20, 0, 0, 6, 5, 1, 1},          // all four
        {6, 0, 3, 3, 0, 0, 20, 20, 0, 0, 0, 0, 0, 0},              // wholly outside
        {2, 2, -2, 2, 0, 0, 20, 20, 0, 0, 0, 0, 0, 0},             // negative width
        {1, 1, 6, 6, 0, 0, 3, 2, 1, 1, 3, 2, 0, 0},                // source smaller than the rectangle
        {1, 1, 4, 4, -2, -1, 4, 4, 3, 2, 2, 3, 0, 0},              // negative source origin
        {0, 0, 8, 8, 2, 3, 4, 4, 0, 0, 2, 1, 2, 3},                // source origin inside the source
        {0, 0, 8, 8, 4, 0, 4, 4, 0, 0, 0, 0, 0, 0},                // source origin past the source
        {1.9, 2.99, 3.7, 2.2, 1.5, 0.999, 8, 8, 1, 2, 3, 2, 1, 0}, // fractions truncate
        {-0.7, -0.2, 2.5, 1.5, -0.9, 3.4, 8, 8, 0, 0, 2, 1, 0, 3}, // toward zero: -0.7 is 0
        {0, 0, 1e300, 1e300, 0, 0, 3, 3, 0, 0, 3, 3, 0, 0},
        {-1e15, -1e15, 2e15, 2e15, -1e15, -1e15, 4, 4, 0, 0, 4, 4, 0, 0},
        {-1e300, 0, 4, 4, 0, 0, 4, 4, 0, 0, 0, 0, 0, 0},
        {0, 0, 4, 4, 3e9, double(INT_MIN), 4, 4, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        QImage dst = tagged(6, 5, 1);
        combine(dst, c.left, c.top, c.width, c.height, tagged(c.srcW, c.srcH, 2), c.srcLeft, c.srcTop,
                CombineMode::Copy);
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " " << c.width << "x" << c.height
                                        << " from " << c.srcLeft << "," << c.srcTop);
        expectCopied(dst, c.x0, c.y0, c.w, c.h, c.sx, c.sy);
    }
}

TEST(Combine, NonFiniteCoordinatesDoNothing)
{
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity()})
        for (int which = 0; which < 6; ++which) {
            double v[6] = {0, 0, 4, 4, 0, 0};
            v[which] = bad;
            QImage dst = tagged(4, 4, 1);
            combine(dst, v[0], v[1], v[2], v[3], tagged(4, 4, 2), v[4], v[5], CombineMode::Copy);
            SCOPED_TRACE(testing::Message() << "parameter " << which << " = " << bad);
            expectCopied(dst, 0, 0, 0, 0);
        }
}

TEST(Combine, FormatsAndSharedData)
{
    QImage dst(4, 2, QImage::Format_Indexed8); // destination becomes 24-bit
    dst.setColorTable({qRgb(0, 0, 0), qRgb(0x40, 0x40, 0x40)});
    dst.fill(1);
    QImage src(2, 2, QImage::Format_Indexed8); // source read through its palette
    src.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    src.fill(1);
    combine(dst, 0, 0, 2, 2, src, 0, 0, CombineMode::Or);
    ASSERT_EQ(dst.format(), QImage::Format_RGB888);
    EXPECT_EQ(pixelAt(dst, 1, 1), rgb(200, 100, 114));
    EXPECT_EQ(pixelAt(dst, 3, 1), rgb(0x40, 0x40, 0x40));

    QImage image = tagged(5, 1, 1); // the same bitmap on both sides, overlapping
    combine(image, 1, 0, 4, 1, image, 0, 0, CombineMode::Copy);
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(pixelAt(image, x, 0), rgb(x, 1, 1));
    QImage shared = tagged(3, 1, 1);
    const QImage copy = shared; // shares the pixel data
    combine(shared, 0, 0, 3, 1, copy, 0, 0, CombineMode::Add);
    EXPECT_EQ(pixelAt(copy, 2, 0), rgb(3, 1, 1));
    EXPECT_EQ(pixelAt(shared, 2, 0), rgb(6, 2, 2));

    QImage null;
    combine(null, 0, 0, 4, 4, image, 0, 0, CombineMode::Copy);
    EXPECT_TRUE(null.isNull());
}

} // namespace
} // namespace vantrel
