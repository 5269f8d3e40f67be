#pragma once

#include <array>
#include <cstdint>

namespace vantrel {

// The states the enable rule reads, taken from the controls that carry them.
struct ControlStateInputs
{
    int inputFrameCount = 0;
    bool inputPlayDown = false;
    int framesToCreate = 30; // position of the frames-to-create up-down
    int outputFrameCount = 0;
    bool outputPlayDown = false;
    bool panelPlayDown = false;
    bool inputTabActive = true;
};

inline constexpr int ControlGroupCount = 12;
using DisableMask = std::array<std::uint8_t, ControlGroupCount>;
using GroupEnabled = std::array<bool, ControlGroupCount>;

// Recomputes the reason bits of one reason code (1, 2, 4, 8, 16, 32, 64); other codes change
// nothing.
void updateDisableMask(DisableMask& mask, int reason, const ControlStateInputs& inputs);

// A group is enabled exactly when its byte is 0.
GroupEnabled enabledGroups(const DisableMask& mask);

} // namespace vantrel
