#include "core/imaging/effects.h"
#include "core/imaging/effects_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Effects that read a pixel's neighbourhood. Edges repeat their outermost pixels, so a flat
// picture stays flat and a border pixel is never darkened by imagined black.
namespace vantrel {

namespace {

// The blur is a 5 x 5 box; sums over it are BlurArea times its mean.
constexpr int BlurReach = 2;
constexpr int BlurArea = (2 * BlurReach + 1) * (2 * BlurReach + 1);
// At strength 1000 a value moves 4 times its difference from the blur away from it.
constexpr int SharpenGain = 4;
constexpr int MaxMedianSize = 15;

int clampIndex(int i, int size)
{
    return std::clamp(i, 0, size - 1);
}

// Each channel value summed over its 5 x 5 neighbourhood, in scanline byte order.
std::vector<int> boxSums(const QImage& image)
{
    const int w = image.width(), h = image.height(), rowValues = 3 * w;
    std::vector<int> across(static_cast<std::size_t>(rowValues) * h);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = image.constScanLine(y);
        int* out = &across[static_cast<std::size_t>(y) * rowValues];
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dx = -BlurReach; dx <= BlurReach; ++dx)
                    sum += s[3 * clampIndex(x + dx, w) + c];
                out[3 * x + c] = sum;
            }
    }
    std::vector<int> sums(across.size());
    for (int y = 0; y < h; ++y) {
        int* out = &sums[static_cast<std::size_t>(y) * rowValues];
        for (int dy = -BlurReach; dy <= BlurReach; ++dy) {
            const int* in = &across[static_cast<std::size_t>(clampIndex(y + dy, h)) * rowValues];
            for (int i = 0; i < rowValues; ++i)
                out[i] += in[i];
        }
    }
    return sums;
}

std::uint8_t median3(std::uint8_t a, std::uint8_t b, std::uint8_t c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// 3 x 3: each column of three is sorted once, and the median of nine is the median of the
// largest low, the middle middle and the smallest high of three neighbouring columns.
void median3x3(QImage& image)
{
    const QImage source = image; // writing detaches `image`; `source` keeps the input
    const int h = image.height(), n = 3 * image.width();
    std::vector<std::uint8_t> low(n), mid(n), high(n);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* above = source.constScanLine(clampIndex(y - 1, h));
        const std::uint8_t* row = source.constScanLine(y);
        const std::uint8_t* below = source.constScanLine(clampIndex(y + 1, h));
        for (int i = 0; i < n; ++i) {
            const std::uint8_t lo = std::min(above[i], row[i]), hi = std::max(above[i], row[i]);
            low[i] = std::min(lo, below[i]);
            high[i] = std::max(hi, below[i]);
            mid[i] = std::max(lo, std::min(hi, below[i]));
        }
        std::uint8_t* d = image.scanLine(y);
        for (int i = 0; i < n; ++i) {
            const int l = i >= 3 ? i - 3 : i, r = i + 3 < n ? i + 3 : i; // same channel, next pixel
            d[i] = median3(std::max({low[l], low[i], low[r]}), median3(mid[l], mid[i], mid[r]),
                           std::min({high[l], high[i], high[r]}));
        }
    }
}

void medianOfSquare(QImage& image, int reach)
{
    const QImage source = image;
    const int w = image.width(), h = image.height(), side = 2 * reach + 1;
    std::vector<std::uint8_t> window(static_cast<std::size_t>(side) * side);
    const auto middle = window.begin() + static_cast<std::ptrdiff_t>(window.size() / 2);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* d = image.scanLine(y);
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                auto out = window.begin();
                for (int dy = -reach; dy <= reach; ++dy) {
                    const std::uint8_t* s = source.constScanLine(clampIndex(y + dy, h));
                    for (int dx = -reach; dx <= reach; ++dx)
                        *out++ = s[3 * clampIndex(x + dx, w) + c];
                }
                std::nth_element(window.begin(), middle, window.end());
                d[3 * x + c] = *middle;
            }
    }
}

} // namespace

void Sharpen(QImage& image, int strength)
{
    strength = effects_detail::clampStrength(strength);
    if (strength == 0 || !effects_detail::toColourFrame(image))
        return;
    const std::vector<int> sums = boxSums(image);
    const int rowValues = 3 * image.width();
    constexpr int Scale = BlurArea * MaxEffectStrength;
    for (int y = 0; y < image.height(); ++y) {
        std::uint8_t* p = image.scanLine(y);
        const int* sum = &sums[static_cast<std::size_t>(y) * rowValues];
        for (int i = 0; i < rowValues; ++i) {
            const int towardBlur = sum[i] - BlurArea * p[i]; // BlurArea times (blur - value)
            const int moved = strength < 0
                                  ? effects_detail::roundedDiv(-strength * towardBlur, Scale)
                                  : -effects_detail::roundedDiv(strength * SharpenGain * towardBlur, Scale);
            p[i] = static_cast<std::uint8_t>(std::clamp(p[i] + moved, 0, 255));
        }
    }
}

void Median(QImage& image, int size)
{
    const int reach = std::min(size, MaxMedianSize) / 2;
    if (reach < 1 || !effects_detail::toColourFrame(image))
        return;
    if (reach == 1)
        median3x3(image);
    else
        medianOfSquare(image, reach);
}

} // namespace vantrel
