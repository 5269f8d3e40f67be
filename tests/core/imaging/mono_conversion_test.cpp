#include "core/imaging/mono_conversion.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/imaging_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

namespace vantrel {
namespace {

using test::levelCounts;
using test::uniformImage;

Palette4 greys(int a, int b, int c, int d)
{
    return {rgb(a, a, a), rgb(b, b, b), rgb(c, c, c), rgb(d, d, d)};
}

TEST(MakeMono, ValuePlaneReducedAgainstMonoPalette)
{
    const QImage picture = test::testPicture(160, 54, 11);
    QImage value = createBitmap(160, 54); // max(R, G, B) as a 24-bit grey picture
    for (int y = 0; y < 54; ++y)
        for (int x = 0; x < 160; ++x) {
            const ColorRef c = pixelAt(picture, x, y);
            const int v = std::max({redOf(c), greenOf(c), blueOf(c)});
            setPixelAt(value, x, y, rgb(v, v, v));
        }
    for (int index = 0; index < int(DitherCodes.size()); ++index) {
        const QImage mono = MakeMono(picture, index);
        ASSERT_EQ(mono.format(), QImage::Format_Indexed8);
        EXPECT_EQ(mono.colorTable(),
                  (QList<QRgb>{qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)}));
        EXPECT_EQ(mono, colorResTo2Bits(value, MonoPalette, DitherCodes[index])) << index;
        for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8})
            EXPECT_EQ(MakeMono(picture.convertToFormat(format), index),
                      MakeMono(picture.convertToFormat(format).convertToFormat(QImage::Format_RGB888), index))
                << "format " << format << " index " << index;
    }
    EXPECT_TRUE(MakeMono(QImage(), 0).isNull());
}

TEST(MakeMono, BrightestChannelDecides)
{
    for (int index = 0; index < int(DitherCodes.size()); ++index) {
        EXPECT_EQ(levelCounts(MakeMono(uniformImage(16, 8, 0, 0, 255), index))[3], 16 * 8) << "blue as white";
        EXPECT_EQ(levelCounts(MakeMono(uniformImage(16, 8, 0, 0, 0), index))[0], 16 * 8);
        EXPECT_EQ(MakeMono(uniformImage(16, 8, 10, 200, 30), index),
                  MakeMono(uniformImage(16, 8, 200, 200, 200), index));
    }
}

TEST(MakeMono, DitherIndexSelectsMethod)
{
    const QImage grey128 = uniformImage(64, 32, 128, 128, 128);
    EXPECT_EQ(levelCounts(MakeMono(grey128, 2))[2], 64 * 32) << "index 2 is Nearest";
    for (int index : {0, 1, 3, 4}) {
        const auto counts = levelCounts(MakeMono(grey128, index));
        EXPECT_TRUE(counts[1] > 0 && counts[2] > 0 && counts[0] + counts[3] == 0) << index;
    }
    const QImage picture = test::testPicture(60, 30);
    EXPECT_NE(MakeMono(picture, 0), MakeMono(picture, 1));
    for (int outside : {-1, 5, INT_MIN, INT_MAX})
        EXPECT_EQ(MakeMono(picture, outside), MakeMono(picture, 0)) << outside;
}

TEST(PanelPalette, TintsAndLevels)
{
    const BacklightLevels defaults;
    EXPECT_EQ(panelPalette(defaults, 63), greys(0, 85, 170, 255));
    EXPECT_EQ(panelPalette(defaults, 42), greys(0, 56, 113, 170));
    EXPECT_EQ(panelPalette(defaults, 48),
              (Palette4{rgb(0, 0, 0), rgb(85, 0, 0), rgb(170, 0, 0), rgb(255, 0, 0)}));
    EXPECT_EQ(panelPalette(defaults, 0xC0 | 63), panelPalette(defaults, 63)) << "bits above 6 ignored";

    BacklightLevels levels; // each channel reads its own table
    levels.red.levels = {0, 30, 60, 90};
    levels.green.levels = {0, 33, 66, 99};
    levels.blue.levels = {0, 36, 72, 108};
    EXPECT_EQ(panelPalette(levels, (1 << 4) | (2 << 2) | 3)[2], rgb(20, 44, 72));

    ChannelLevels two; // two levels: positions 2 and 3 hold 0, black
    two.levels = {0, 255, 0, 0};
    two.count = 2;
    EXPECT_EQ(panelPalette({two, two, two}, 0b010101), greys(0, 85, 170, 255));
    EXPECT_EQ(panelPalette({two, two, two}, 0b101010), greys(0, 0, 0, 0));
    EXPECT_EQ(panelPalette({two, two, two}, 0b111111), greys(0, 0, 0, 0));

    ChannelLevels odd; // whatever a settings file gives: (level * i) / 3, low 8 bits, no overflow
    odd.levels = {-3, 300, INT_MAX, INT_MIN};
    const BacklightLevels oddLevels{odd, odd, odd};
    EXPECT_EQ(panelPalette(oddLevels, 0b000000), greys(0, 255, 254, 253));
    EXPECT_EQ(panelPalette(oddLevels, 0b010101), greys(0, 100, 200, 300 & 0xFF));
    EXPECT_EQ(panelPalette(oddLevels, 0b101010),
              greys(0, (INT_MAX / 3) & 0xFF, static_cast<int>(2LL * INT_MAX / 3) & 0xFF, INT_MAX & 0xFF));
    EXPECT_EQ(panelPalette(oddLevels, 0b111111),
              greys(0, (INT_MIN / 3) & 0xFF, static_cast<int>(2LL * INT_MIN / 3) & 0xFF, INT_MIN & 0xFF));
}

TEST(SetPanelPalette, RetintsEntriesZeroToThreeOnly)
{
    QImage mono = MakeMono(test::testPicture(160, 54), 0);
    const QImage before = mono.copy();
    SetPanelPalette(mono, BacklightLevels{}, 48);
    EXPECT_EQ(mono.colorTable(),
              (QList<QRgb>{qRgb(0, 0, 0), qRgb(85, 0, 0), qRgb(170, 0, 0), qRgb(255, 0, 0)}));
    for (int y = 0; y < 54; ++y)
        ASSERT_EQ(std::memcmp(mono.constScanLine(y), before.constScanLine(y), 160), 0) << y;

    QImage wide(4, 4, QImage::Format_Indexed8);
    wide.setColorCount(256);
    wide.setColor(4, qRgb(4, 0, 251));
    SetPanelPalette(wide, BacklightLevels{}, 63);
    EXPECT_EQ(wide.colorCount(), 256);
    EXPECT_EQ(wide.color(3), qRgb(255, 255, 255));
    EXPECT_EQ(wide.color(4), qRgb(4, 0, 251));

    QImage colour = test::testPicture(8, 8);
    const QImage colourBefore = colour.copy();
    SetPanelPalette(colour, BacklightLevels{}, 48);
    EXPECT_EQ(colour, colourBefore);
    QImage null;
    SetPanelPalette(null, BacklightLevels{}, 48);
    EXPECT_TRUE(null.isNull());
}

} // namespace
} // namespace vantrel
