#include "core/imaging/blue_noise_mask.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/imaging_test_util.h"
#include "core/imaging/mono_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

namespace vantrel {
namespace {

constexpr int Side = BlueNoiseSide;
constexpr int BlueNoiseIndex = 4; // in the dithering list

int rankAt(int x, int y)
{
    return BlueNoiseRanks[static_cast<std::size_t>(((y + Side) % Side) * Side + (x + Side) % Side)];
}

TEST(BlueNoiseMask, EveryRankOnceAndTheFirstDotsApart)
{
    std::vector<int> sorted(BlueNoiseRanks.begin(), BlueNoiseRanks.end());
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> expected(sorted.size());
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(sorted, expected);

    // The lightest eighth of dots (and the darkest eighth of holes) never touch side by side,
    // across the wrap too: what a clumping, white-noise mask would not give.
    constexpr int Eighth = Side * Side / 8;
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            for (auto [dx, dy] : {std::pair{1, 0}, {0, 1}}) {
                const int a = rankAt(x, y), b = rankAt(x + dx, y + dy);
                ASSERT_FALSE(a < Eighth && b < Eighth) << x << "," << y;
                ASSERT_FALSE(a >= Side * Side - Eighth && b >= Side * Side - Eighth) << x << "," << y;
            }
}

TEST(BlueNoiseDither, FlatGreyKeepsItsMeanLevel)
{
    for (int v : {0, 1, 30, 42, 43, 85, 100, 128, 200, 213, 254, 255}) {
        const QImage mono = MakeMono(test::uniformImage(Side, Side, v, v, v), BlueNoiseIndex);
        const auto counts = test::levelCounts(mono);
        const int step = v * 3 / 255; // only this level and the one above it
        double sum = 0;
        for (int level = 0; level < 4; ++level) {
            const int count = counts[static_cast<std::size_t>(level)];
            EXPECT_TRUE(count == 0 || level == step || level == step + 1) << v << " level " << level;
            sum += level * count;
        }
        EXPECT_NEAR(sum / (Side * Side), v * 3 / 255.0, 1.0 / (Side * Side)) << v;
    }
}

TEST(BlueNoiseDither, StillPartKeepsItsDotsWhileTheRestMoves)
{
    const QImage first = test::testPicture(160, 80, 3);
    QImage second = first; // the right half pans by a pixel
    combine(second, 81, 0, 79, 80, first, 80, 0, CombineMode::Copy);
    const QImage a = MakeMono(first, BlueNoiseIndex);
    const QImage b = MakeMono(second, BlueNoiseIndex);
    int changed = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x) {
            if (x < 80)
                ASSERT_EQ(a.pixelIndex(x, y), b.pixelIndex(x, y)) << x << "," << y;
            else
                changed += a.pixelIndex(x, y) != b.pixelIndex(x, y);
        }
    EXPECT_GT(changed, 0);
}

} // namespace
} // namespace vantrel
