#pragma once

#include <array>
#include <cstdint>

namespace vantrel {

inline constexpr int BlueNoiseSide = 64;

// Threshold ranks for the steady dithering, [y * BlueNoiseSide + x]: each of 0..Side^2 - 1 once,
// placed so that the pixels below any rank are spread evenly, without clumps or a visible grid.
// Drawn by tools/make_blue_noise.cpp into blue_noise_mask.cpp.
extern const std::array<std::uint16_t, BlueNoiseSide * BlueNoiseSide> BlueNoiseRanks;

} // namespace vantrel
