#include "core/imaging/effects.h"

#include "core/imaging/color_planes.h"
#include "core/imaging/effects_rows.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace vantrel {

namespace {

void autoLevels(QImage& image)
{
    Median(image, 3);
    ColorPlanes planes = separateColorPlanes(image, ColorModel::Hls);
    HistoEqualize(planes[1]);
    QImage merged = mergeColorPlanes(planes, ColorModel::Hls);
    if (!merged.isNull())
        image = std::move(merged);
}

} // namespace

bool effectHasStrength(int index)
{
    return index == Brightness || index == ContrastEffect || index == Sharpness;
}

void HistoEqualize(QImage& plane)
{
    if (plane.isNull() || plane.format() != QImage::Format_Grayscale8)
        return;
    std::array<long long, 256> cumulative{};
    for (int y = 0; y < plane.height(); ++y) {
        const std::uint8_t* p = plane.constScanLine(y);
        for (int x = 0; x < plane.width(); ++x)
            ++cumulative[p[x]];
    }
    long long darkest = 0; // pixels of the darkest value present: they map to 0
    for (int v = 0; v < 256; ++v) {
        if (darkest == 0)
            darkest = cumulative[v];
        if (v > 0)
            cumulative[v] += cumulative[v - 1];
    }
    const long long spread = cumulative[255] - darkest;
    if (spread == 0)
        return;
    effects_detail::ByteTable table{};
    for (int v = 0; v < 256; ++v) {
        const long long above = std::max(cumulative[v] - darkest, 0LL);
        table[v] = static_cast<std::uint8_t>((above * 255 + spread / 2) / spread);
    }
    effects_detail::mapBytes(plane, table);
}

void ApplyEffect(QImage& image, int index, int strength)
{
    switch (index) {
    case Brightness:
        Intensity(image, strength);
        break;
    case ContrastEffect:
        Contrast(image, strength);
        break;
    case Sharpness:
        Sharpen(image, strength);
        break;
    case Negative:
        Invert(image);
        break;
    case NoiseRemoval:
        Median(image, 3);
        break;
    case AutoLevels:
        if (effects_detail::toColourFrame(image))
            autoLevels(image);
        break;
    default:
        break;
    }
}

} // namespace vantrel
