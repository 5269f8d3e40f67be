#include "core/imaging/effects.h"
#include "core/imaging/effects_rows.h"

#include <algorithm>
#include <cmath>

// Effects that map each channel value on its own: one table per call, built from the strength.
namespace vantrel {

using effects_detail::ByteTable;

namespace {

ByteTable intensityTable(int strength)
{
    ByteTable table{};
    for (int v = 0; v < 256; ++v) {
        const int room = strength > 0 ? 255 - v : v; // the way to white or to black
        table[v] = static_cast<std::uint8_t>(v + effects_detail::roundedDiv(room * strength, 1000));
    }
    return table;
}

ByteTable contrastTable(int strength)
{
    ByteTable table{};
    for (int v = 0; v < 256; ++v) {
        if (strength == MaxEffectStrength) {
            table[v] = v < 128 ? 0 : 255;
            continue;
        }
        // Exact at 0: the factor is 1 and 127.5 + (v - 127.5) is v in floating point.
        const double factor = strength > 0 ? 1000.0 / (1000 - strength) : (1000 + strength) / 1000.0;
        const long spread = std::lround(127.5 + (v - 127.5) * factor);
        table[v] = static_cast<std::uint8_t>(std::clamp(spread, 0L, 255L));
    }
    return table;
}

} // namespace

void Intensity(QImage& image, int strength)
{
    strength = effects_detail::clampStrength(strength);
    if (strength != 0 && effects_detail::toColourFrame(image))
        effects_detail::mapBytes(image, intensityTable(strength));
}

void Contrast(QImage& image, int strength)
{
    strength = effects_detail::clampStrength(strength);
    if (strength != 0 && effects_detail::toColourFrame(image))
        effects_detail::mapBytes(image, contrastTable(strength));
}

void Invert(QImage& image)
{
    ByteTable table{};
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<std::uint8_t>(255 - v);
    if (effects_detail::toColourFrame(image))
        effects_detail::mapBytes(image, table);
}

} // namespace vantrel
