#include "core/imaging/color_reduction.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/imaging_test_util.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vantrel {
namespace {

using test::levelCounts;
using test::meanPaletteGrey;
using test::uniformImage;

constexpr Palette4 Greys{rgb(0, 0, 0), rgb(85, 85, 85), rgb(170, 170, 170), rgb(255, 255, 255)};
constexpr Palette4 Primaries{rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255)};
constexpr DitherMethod AllMethods[] = {DitherMethod::Nearest, DitherMethod::Burkes,
                                       DitherMethod::JarvisJudiceNinke, DitherMethod::Ordered,
                                       DitherMethod::BlueNoise};
constexpr DitherMethod Diffusing[] = {DitherMethod::Burkes, DitherMethod::JarvisJudiceNinke};

TEST(ColorResTo2Bits, IndexedWithThePaletteForAnySource)
{
    const QImage picture = test::testPicture(50, 20, 5);
    for (DitherMethod method : AllMethods) {
        const QImage out = colorResTo2Bits(picture, Primaries, method);
        ASSERT_EQ(out.format(), QImage::Format_Indexed8);
        ASSERT_EQ(out.size(), picture.size());
        ASSERT_EQ(out.colorTable(),
                  (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}));
        EXPECT_EQ(levelCounts(out)[4], 0) << "index past the palette";
        // Other formats give what their 24-bit conversion gives; a grey plane takes the
        // one-channel path, which must agree with the three-channel one.
        for (QImage::Format format :
             {QImage::Format_RGB32, QImage::Format_Indexed8, QImage::Format_Grayscale8}) {
            const QImage converted = picture.convertToFormat(format);
            EXPECT_EQ(colorResTo2Bits(converted, Greys, method),
                      colorResTo2Bits(converted.convertToFormat(QImage::Format_RGB888), Greys, method))
                << "format " << format << " method " << static_cast<int>(method);
        }
    }
    EXPECT_TRUE(colorResTo2Bits(QImage(), Greys, DitherMethod::Burkes).isNull());
    EXPECT_EQ(colorResTo2Bits(picture, Greys, static_cast<DitherMethod>(5)),
              colorResTo2Bits(picture, Greys, DitherMethod::Nearest));
}

TEST(ColorResTo2Bits, NearestEntry)
{
    QImage ramp(256, 1, QImage::Format_RGB888);
    for (int v = 0; v < 256; ++v)
        setPixelAt(ramp, v, 0, rgb(v, v, v));
    const QImage out = colorResTo2Bits(ramp, Greys, DitherMethod::Nearest);
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(out.pixelIndex(v, 0), v <= 42 ? 0 : v <= 127 ? 1 : v <= 212 ? 2 : 3) << v;

    for (auto [colour, index] : {std::pair{rgb(200, 10, 10), 1},
                                 {rgb(10, 200, 90), 2},
                                 {rgb(60, 40, 250), 3},
                                 {rgb(60, 60, 60), 0}}) // by RGB distance
        EXPECT_EQ(colorResTo2Bits(uniformImage(1, 1, redOf(colour), greenOf(colour), blueOf(colour)),
                                  Primaries, DitherMethod::Nearest)
                      .pixelIndex(0, 0),
                  index);
}

TEST(ColorResTo2Bits, UniformGrey128)
{
    const QImage grey = uniformImage(64, 32, 128, 128, 128);
    EXPECT_EQ(levelCounts(colorResTo2Bits(grey, Greys, DitherMethod::Nearest))[2], 64 * 32)
        << "170 is nearer than 85";
    for (DitherMethod method :
         {DitherMethod::Burkes, DitherMethod::JarvisJudiceNinke, DitherMethod::Ordered}) {
        const QImage out = colorResTo2Bits(grey, Greys, method);
        const auto counts = levelCounts(out);
        SCOPED_TRACE(static_cast<int>(method));
        EXPECT_EQ(counts[0] + counts[3], 0);
        EXPECT_GT(counts[1], 64 * 32 / 3);
        EXPECT_GT(counts[2], 64 * 32 / 3);
        EXPECT_NEAR(meanPaletteGrey(out), 128.0, 2.0);
    }
}

TEST(ColorResTo2Bits, MeanBrightnessKept)
{
    for (int v : {3, 20, 43, 64, 100, 150, 200, 213, 240, 252}) {
        const QImage grey = uniformImage(160, 54, v, v, v);
        for (DitherMethod method : Diffusing) // exact but for the last pixel's error
            EXPECT_NEAR(meanPaletteGrey(colorResTo2Bits(grey, Greys, method)), v, 0.05)
                << "method " << static_cast<int>(method) << " grey " << v;
        EXPECT_NEAR(meanPaletteGrey(colorResTo2Bits(grey, Greys, DitherMethod::Ordered)), v, 3.0) << v;
    }

    QImage gradient(256, 64, QImage::Format_RGB888);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x)
            setPixelAt(gradient, x, y, rgb(x, x, x));
    for (DitherMethod method : Diffusing) {
        const QImage out = colorResTo2Bits(gradient, Greys, method);
        EXPECT_NEAR(meanPaletteGrey(out), 127.5, 0.05);
        for (int band = 0; band < 256; band += 32) // locally too: bands of 32 columns
            EXPECT_NEAR(meanPaletteGrey(out, QRect(band, 0, 32, 64)), band + 15.5, 4.0)
                << "method " << static_cast<int>(method) << " band " << band;
    }

    for (DitherMethod method : Diffusing) { // per channel: red 100 between black and full red
        const auto counts = levelCounts(colorResTo2Bits(uniformImage(100, 50, 100, 0, 0), Primaries, method));
        EXPECT_EQ(counts[2] + counts[3], 0);
        EXPECT_NEAR(counts[1] * 255.0 / 5000, 100.0, 0.1);
        // No entry has any yellow: the error must stay bounded, never wrap.
        const auto yellow =
            levelCounts(colorResTo2Bits(uniformImage(300, 200, 255, 255, 0), Primaries, method));
        EXPECT_EQ(yellow[1] + yellow[2], 300 * 200);
    }
}

// One column: every tap but the one straight below leaves the picture, so the row's end hands
// the whole error down. 30 becomes black; 30 + 30 below is nearer 85 than 0.
TEST(ColorResTo2Bits, RowEndHandsTheWholeErrorDown)
{
    for (DitherMethod method : Diffusing) {
        const QImage out = colorResTo2Bits(uniformImage(1, 2, 30, 30, 30), Greys, method);
        EXPECT_EQ(out.pixelIndex(0, 0), 0) << static_cast<int>(method);
        EXPECT_EQ(out.pixelIndex(0, 1), 1) << static_cast<int>(method);
    }
}

TEST(ColorResTo2Bits, OrderedPatternFixedToImageOrigin)
{
    const QImage out = colorResTo2Bits(uniformImage(32, 24, 100, 100, 100), Greys, DitherMethod::Ordered);
    for (int y = 0; y + 8 < 24; ++y)
        for (int x = 0; x + 8 < 32; ++x) {
            ASSERT_EQ(out.pixelIndex(x, y), out.pixelIndex(x + 8, y));
            ASSERT_EQ(out.pixelIndex(x, y), out.pixelIndex(x, y + 8));
        }

    // A second frame where one region changed: the rest keeps the very same pixels.
    const QImage first = test::testPicture(160, 54, 7);
    QImage second = first;
    combine(second, 100, 10, 30, 20, uniformImage(30, 20, 250, 0, 90), 0, 0, CombineMode::Copy);
    const QImage a = colorResTo2Bits(first, Greys, DitherMethod::Ordered);
    const QImage b = colorResTo2Bits(second, Greys, DitherMethod::Ordered);
    EXPECT_EQ(a, colorResTo2Bits(first, Greys, DitherMethod::Ordered));
    int changed = 0;
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 160; ++x) {
            if (x >= 100 && x < 130 && y >= 10 && y < 30)
                changed += a.pixelIndex(x, y) != b.pixelIndex(x, y);
            else
                ASSERT_EQ(a.pixelIndex(x, y), b.pixelIndex(x, y)) << x << "," << y;
        }
    EXPECT_GT(changed, 0);
}

TEST(ColorResTo24Bits, ThroughThePalette)
{
    QImage reduced = colorResTo2Bits(test::testPicture(20, 10), Greys, DitherMethod::Burkes);
    reduced.setPixel(0, 0, 9); // past the table: black
    const QImage back = colorResTo24Bits(reduced);
    ASSERT_EQ(back.format(), QImage::Format_RGB888);
    EXPECT_EQ(pixelAt(back, 0, 0), 0u);
    for (int x = 1; x < 20; ++x)
        EXPECT_EQ(pixelAt(back, x, 5), Greys[reduced.pixelIndex(x, 5)]);
    EXPECT_TRUE(colorResTo24Bits(QImage()).isNull());
}

TEST(SetBitmapPaletteEntry, ChangesOneEntryOnly)
{
    QImage reduced = colorResTo2Bits(test::testPicture(20, 10), Greys, DitherMethod::JarvisJudiceNinke);
    const QImage before = reduced.copy();
    setBitmapPaletteEntry(reduced, 2, rgb(255, 0, 0));
    for (int entry : {-1, 4, 1000}) // ignored
        setBitmapPaletteEntry(reduced, entry, rgb(1, 1, 1));
    EXPECT_EQ(reduced.colorTable(),
              (QList<QRgb>{before.color(0), before.color(1), qRgb(255, 0, 0), before.color(3)}));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(std::memcmp(reduced.constScanLine(y), before.constScanLine(y), 20), 0);
}

} // namespace
} // namespace vantrel
