#include "core/imaging/mono_conversion.h"

#include "core/imaging/blue_noise_mask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <span>
#include <vector>

// The dithering list's entries against their methods' definitions, implemented here apart from
// the imaging code: swapping two entries or changing a kernel weight shows.
namespace vantrel {
namespace {

using Plane = std::vector<std::vector<int>>; // [y][x]

constexpr int PanelLevels[] = {0, 85, 170, 255};

// Out-of-range values count as 0 or 255; a tie goes to the lower level.
int nearestLevel(int value)
{
    const int v = std::clamp(value, 0, 255);
    const auto nearer = [v](int a, int b) { return std::abs(v - a) < std::abs(v - b); };
    return int(std::min_element(std::begin(PanelLevels), std::end(PanelLevels), nearer) - PanelLevels);
}

// Bayer's recursive definition: M(2n) = [4 M(n) + 0, 4 M(n) + 2; 4 M(n) + 3, 4 M(n) + 1].
int bayerRank(int x, int y, int side)
{
    if (side == 1)
        return 0;
    const int half = side / 2;
    constexpr int Quadrant[2][2] = {{0, 2}, {3, 1}};
    return 4 * bayerRank(x % half, y % half, half) + Quadrant[y / half][x / half];
}

// Ranks 0..63 spread evenly over one level step, centred on zero.
int bayerOffset(int x, int y)
{
    return int(std::lround((bayerRank(x % 8, y % 8, 8) + 0.5) * 85.0 / 64 - 42.5));
}

// One level step up where the fraction of 3v / 255 past the step below exceeds the mask's
// (rank + 0.5) / cells at the pixel.
Plane blueNoise(const Plane& grey)
{
    Plane out = grey;
    for (int y = 0; y < int(grey.size()); ++y)
        for (int x = 0; x < int(grey[y].size()); ++x) {
            double step = 0;
            const double fraction = std::modf(grey[y][x] * 3 / 255.0, &step);
            const int rank = BlueNoiseRanks[(y % BlueNoiseSide) * BlueNoiseSide + x % BlueNoiseSide];
            out[y][x] = int(step) + (fraction > (rank + 0.5) / (BlueNoiseSide * BlueNoiseSide) ? 1 : 0);
        }
    return out;
}

Plane eachPixel(const Plane& grey, int (*offset)(int x, int y))
{
    Plane out = grey;
    for (int y = 0; y < int(grey.size()); ++y)
        for (int x = 0; x < int(grey[y].size()); ++x)
            out[y][x] = nearestLevel(grey[y][x] + offset(x, y));
    return out;
}

struct Weight
{
    int dx, dy, weight;
};

// clang-format off
constexpr Weight Burkes[] = {                       {1, 0, 8}, {2, 0, 4},
                             {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}};
constexpr Weight JarvisJudiceNinke[] = {                       {1, 0, 7}, {2, 0, 5},
                                        {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5}, {2, 1, 3},
                                        {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5}, {1, 2, 3}, {2, 2, 1}};
// clang-format on

// In units of 1 / divisor: a pixel's value with what it received is rounded to the nearest
// whole value (halves up) and held within -255..510; the whole error goes out by the weights,
// the fraction below a whole value to the right-hand neighbour. Shares that would leave the
// image go to the right-hand neighbour, or below at the end of a row; the last pixel's are lost.
Plane diffused(const Plane& grey, std::span<const Weight> kernel, int divisor)
{
    const int height = int(grey.size());
    const int width = int(grey[0].size());
    Plane received(height, std::vector<int>(width, 0));
    Plane out = grey;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int exact =
                std::clamp(grey[y][x] * divisor + received[y][x], -255 * divisor, 510 * divisor);
            const int whole = int(std::floor(double(exact) / divisor + 0.5));
            out[y][x] = nearestLevel(whole);
            const int error = whole - PanelLevels[out[y][x]];
            int rest = exact - whole * divisor;
            for (const Weight& w : kernel) {
                if (x + w.dx >= 0 && x + w.dx < width && y + w.dy < height)
                    received[y + w.dy][x + w.dx] += error * w.weight;
                else
                    rest += error * w.weight;
            }
            if (x + 1 < width)
                received[y][x + 1] += rest;
            else if (y + 1 < height)
                received[y + 1][x] += rest;
        }
    return out;
}

TEST(DitherList, EachEntryGivesItsMethodsOwnResult)
{
    constexpr int Width = 70, Height = 66; // rounding shows; past the 64-pixel blue-noise mask
    Plane grey(Height, std::vector<int>(Width));
    QImage picture(Width, Height, QImage::Format_RGB888);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            grey[y][x] = (x * 19 + y * 37 + (x * y) % 5 * 11) % 256;
            picture.setPixel(x, y, qRgb(grey[y][x], grey[y][x], grey[y][x]));
        }

    const std::function<Plane(const Plane&)> listEntries[] = {
        [](const Plane& g) { return diffused(g, Burkes, 32); },
        [](const Plane& g) { return diffused(g, JarvisJudiceNinke, 48); },
        [](const Plane& g) { return eachPixel(g, [](int, int) { return 0; }); },
        [](const Plane& g) { return eachPixel(g, bayerOffset); }, blueNoise};
    for (int index = 0; index < 5; ++index) {
        const QImage mono = MakeMono(picture, index);
        ASSERT_EQ(mono.size(), picture.size());
        Plane actual(Height, std::vector<int>(Width));
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                actual[y][x] = mono.pixelIndex(x, y);
        EXPECT_EQ(actual, listEntries[index](grey)) << "list index " << index;
    }
}

} // namespace
} // namespace vantrel
