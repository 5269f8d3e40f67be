#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vantrel {

// Why the enable rule runs. Each reason owns one bit in the bytes of the groups it concerns,
// so a reason's value is also its bit.
enum class ControlReason : int {
    InputListChanged = 1, // input files added, deleted or cleared
    InputPlayback = 2,    // input playback starts, stops or reaches its end
    FramesToCreate = 4,   // the frames-to-create count changes
    StoreChanged = 8,     // output frames created, loaded, deleted or cleared
    OutputPlayback = 16,  // output playback starts or stops
    PanelPlayback = 32,   // panel playback starts or stops
    TabChanged = 64,
    EffectChanged = 255, // the effect strength bar only: no bit, no group
};

// The groups of controls enabled and disabled together; the values index the disable mask.
enum class ControlGroup : int {
    AddInput = 0,      // abbInPic
    RemoveInput = 1,   // abbDelPic, abbInClr
    LoadFrames = 2,    // abbFLoad
    SaveFrames = 3,    // abbFSave
    InputPlayer = 4,   // abbInFrameStop .. abbInFrameEnd
    StartArea = 5,     // abbCutS, abbCutE
    EndArea = 6,       // abbCutE
    Generate = 7,      // abbExecute
    ApplyToFrames = 8, // sbDesideEf, abbDesideEfA, abbInsFont, abbInsFontA
    OutputPlayer = 9,  // abbOutPreStop .. abbOutPreNext
    DeleteFrames = 10, // abbOutPreDel, abbOutPreClr
    PanelPlayer = 11,  // abbPStop, abbPPlay, abbPPause
};

inline constexpr int ControlGroupCount = 12;
using DisableMask = std::array<std::uint8_t, ControlGroupCount>;
using GroupEnabled = std::array<bool, ControlGroupCount>;

constexpr std::size_t groupIndex(ControlGroup group)
{
    return static_cast<std::size_t>(group);
}

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

// Recomputes the bits of one reason; EffectChanged and values that are no reason change
// nothing.
void updateDisableMask(DisableMask& mask, ControlReason reason, const ControlStateInputs& inputs);

// A group is enabled exactly when its byte is 0.
GroupEnabled enabledGroups(const DisableMask& mask);

} // namespace vantrel
