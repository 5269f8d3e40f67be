#include "core/imaging/effects.h"

#include "core/imaging/imaging_test_util.h"

#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

QImage applied(QImage image, int index, int strength)
{
    ApplyEffect(image, index, strength);
    return image;
}

// Grey columns: 60 left of x = 10, 180 from there on.
QImage stepEdge()
{
    QImage image = test::uniformImage(20, 10, 60, 60, 60);
    for (int y = 0; y < 10; ++y)
        std::fill(image.scanLine(y) + 30, image.scanLine(y) + 60, 180);
    return image;
}

TEST(Effects, NothingChangesAtStrengthZeroOrOutsideTheList)
{
    const QImage picture = test::testPicture(40, 20);
    for (int index : {Brightness, ContrastEffect, Sharpness})
        EXPECT_EQ(applied(picture, index, 0), picture) << index;
    for (int index : {0, -1, 7, 1000})
        EXPECT_EQ(applied(picture, index, 700), picture) << index;
    EXPECT_EQ(applied(applied(picture, Negative, 0), Negative, 0), picture);
    for (int index = NoEffect; index <= AutoLevels; ++index)
        EXPECT_TRUE(applied(QImage(), index, 500).isNull()) << index;
}

TEST(Effects, ExtremesMapEachChannel)
{
    struct Case
    {
        int index, strength;
        std::function<int(int)> expected;
    };
    const Case cases[] = {
        {Brightness, 1000, [](int) { return 255; }},
        {Brightness, 4000, [](int) { return 255; }},
        {Brightness, -1000, [](int) { return 0; }},
        {ContrastEffect, -1000, [](int) { return 128; }},
        {ContrastEffect, 1000, [](int v) { return v < 128 ? 0 : 255; }},
        {Negative, 0, [](int v) { return 255 - v; }},
    };
    const QImage picture = test::testPicture(40, 20);
    for (const Case& c : cases) {
        const QImage out = applied(picture.convertToFormat(QImage::Format_RGB32), c.index, c.strength);
        ASSERT_EQ(out.format(), QImage::Format_RGB888);
        for (int y = 0; y < picture.height(); ++y)
            for (int i = 0; i < 3 * picture.width(); ++i)
                ASSERT_EQ(out.constScanLine(y)[i], c.expected(picture.constScanLine(y)[i]))
                    << "effect " << c.index << " strength " << c.strength << " at " << i << "," << y;
    }
}

TEST(Effects, MiddleStrengthsByTheirRules)
{
    struct Case
    {
        int index, strength;
        std::vector<int> in, out;
    };
    const Case cases[] = {
        // 40 % of the way to white or to black, rounded: 100 + 62, 200 + 22, 0 + 102; 100 - 40, 3 - 1.2
        {Brightness, 400, {100, 200, 0, 101}, {162, 222, 102, 163}}, // 101 + 61.6
        {Brightness, -400, {100, 200, 3}, {60, 120, 2}},
        // 127.5 + (v - 127.5) x 2.5: 58.75, 158.75, beyond 255; x 0.4: 116.9, 156.9
        {ContrastEffect, 600, {100, 140, 200}, {59, 159, 255}},
        {ContrastEffect, -600, {101, 201, 128}, {117, 157, 128}},
    };
    for (const Case& c : cases) {
        QImage image(static_cast<int>(c.in.size()), 1, QImage::Format_RGB888);
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, 0, qRgb(c.in[x], c.in[x], c.in[x]));
        const QImage out = applied(image, c.index, c.strength);
        for (int x = 0; x < image.width(); ++x)
            EXPECT_EQ(out.pixelColor(x, 0).green(), c.out[x]) << c.index << " " << c.strength << " " << x;
    }

    // Equalised 10, 20, 20, 30, 40: the cumulative counts above the darkest, 0 2 2 3 4 of 4,
    // times 255 and rounded: 127.5 goes up.
    QImage plane(5, 1, QImage::Format_Grayscale8);
    const uchar values[] = {10, 20, 20, 30, 40};
    std::copy(std::begin(values), std::end(values), plane.scanLine(0));
    HistoEqualize(plane);
    EXPECT_EQ(std::vector<int>(plane.constScanLine(0), plane.constScanLine(0) + 5),
              (std::vector<int>{0, 128, 128, 191, 255}));
}

TEST(Effects, SharpnessBlursOrSteepensAStepEdge)
{
    struct Case
    {
        int strength;
        std::vector<int> row; // x = 7..12; the 5 x 5 box mean at x = 8..11 is 84, 108, 132, 156
    };
    // Halfway to the blur at -500; once the difference away from it at 250 (4 x 250 / 1000).
    const Case cases[] = {{-1000, {60, 84, 108, 132, 156, 180}},
                          {1000, {60, 0, 0, 255, 255, 180}},
                          {-500, {60, 72, 84, 156, 168, 180}},
                          {250, {60, 36, 12, 228, 204, 180}}};
    for (const Case& c : cases) {
        const QImage out = applied(stepEdge(), Sharpness, c.strength);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(out.pixelColor(x, y).green(), x < 7 ? 60 : (x > 12 ? 180 : c.row[x - 7]))
                    << c.strength << " at " << x << "," << y;
    }
}

TEST(Effects, EachValueMovesOneWayAsStrengthGrows)
{
    const QImage picture = test::testPicture(80, 30, 5);
    const auto bytes = static_cast<std::size_t>(picture.sizeInBytes());
    for (int index : {Brightness, ContrastEffect, Sharpness}) {
        QImage previous = applied(picture, index, MinEffectStrength);
        std::vector<int> direction(bytes, 0);
        for (int strength = -875; strength <= MaxEffectStrength; strength += 125) {
            const QImage out = applied(picture, index, strength);
            for (std::size_t i = 0; i < bytes; ++i) {
                const int step = out.constBits()[i] - previous.constBits()[i];
                ASSERT_GE(step * direction[i], 0) << "effect " << index << " strength " << strength;
                if (step != 0)
                    direction[i] = step;
            }
            previous = out;
        }
    }
}

// Each channel's median over the neighbourhood, edges repeated, by sorting.
QImage sortedMedian(const QImage& in, int reach)
{
    QImage out = in.copy();
    std::vector<int> values;
    for (int y = 0; y < in.height(); ++y)
        for (int x = 0; x < in.width(); ++x)
            for (int c = 0; c < 3; ++c) {
                values.clear();
                for (int dy = -reach; dy <= reach; ++dy)
                    for (int dx = -reach; dx <= reach; ++dx)
                        values.push_back(in.constScanLine(std::clamp(
                            y + dy, 0, in.height() - 1))[3 * std::clamp(x + dx, 0, in.width() - 1) + c]);
                std::sort(values.begin(), values.end());
                out.scanLine(y)[3 * x + c] = static_cast<uchar>(values[values.size() / 2]);
            }
    return out;
}

TEST(Effects, MedianRemovesSpecksAndTakesTheMiddleValue)
{
    QImage speck = test::uniformImage(12, 8, 30, 90, 150);
    const QImage clean = speck.copy();
    speck.setPixelColor(5, 4, Qt::white);
    speck.setPixelColor(0, 0, Qt::black);
    EXPECT_EQ(applied(speck, NoiseRemoval, 0), clean);

    const QImage picture = test::testPicture(33, 17, 9);
    const std::pair<int, int> sizeAndReach[] = {{2, 1}, {3, 1}, {5, 2}}; // an even size rounds up
    for (const auto& [size, reach] : sizeAndReach) {
        QImage out = picture;
        Median(out, size);
        EXPECT_TRUE(out == sortedMedian(picture, reach)) << size;
    }
}

TEST(Effects, AutoLevelsSpreadsLightnessAndKeepsHue)
{
    QImage gradient(64, 6, QImage::Format_RGB888); // hue 30 degrees, lightness 70..150
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixelColor(x, y, QColor::fromHsl(30, 200, 70 + x * 80 / 63));
    const QImage out = applied(gradient, AutoLevels, 0);
    const auto lightness = [&](int x) {
        const QColor c = out.pixelColor(x, 3);
        return (std::max({c.red(), c.green(), c.blue()}) + std::min({c.red(), c.green(), c.blue()}) + 1) / 2;
    };
    int darkest = 255, brightest = 0;
    for (int x = 0; x < out.width(); ++x) {
        darkest = std::min(darkest, lightness(x));
        brightest = std::max(brightest, lightness(x));
        if (lightness(x) > 25 && lightness(x) < 230) {
            EXPECT_NEAR(out.pixelColor(x, 3).hslHue(), 30, 3) << x;
        }
        if (x > 0) {
            EXPECT_GE(lightness(x), lightness(x - 1)) << x;
        }
    }
    EXPECT_EQ(darkest, 0);
    EXPECT_EQ(brightest, 255);
}

} // namespace
} // namespace vantrel
