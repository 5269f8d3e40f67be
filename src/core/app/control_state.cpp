#include "core/app/control_state.h"

#include <initializer_list>

namespace vantrel {

namespace {

void setReasonBit(DisableMask& mask, std::initializer_list<int> groups, std::uint8_t bit, bool holds)
{
    for (int group : groups) {
        auto& byte = mask[static_cast<std::size_t>(group)];
        byte = static_cast<std::uint8_t>(holds ? (byte | bit) : (byte & ~bit));
    }
}

} // namespace

void updateDisableMask(DisableMask& mask, int reason, const ControlStateInputs& inputs)
{
    switch (reason) {
    case 1: {
        const bool empty = inputs.inputFrameCount <= 0;
        // One frame can be cut from but not played.
        setReasonBit(mask, {1, 5, 6, 7}, 0x01, empty);
        setReasonBit(mask, {4}, 0x01, empty || inputs.inputFrameCount == 1);
        break;
    }
    case 2:
        setReasonBit(mask, {0, 1, 5, 6, 7}, 0x02, inputs.inputPlayDown);
        break;
    case 4:
        setReasonBit(mask, {6}, 0x04, inputs.framesToCreate == 1);
        break;
    case 8:
        setReasonBit(mask, {3, 8, 9, 10, 11}, 0x08, inputs.outputFrameCount <= 0);
        setReasonBit(mask, {2}, 0x08, inputs.outputFrameCount >= 90);
        break;
    case 16:
        setReasonBit(mask, {2, 3, 5, 6, 7, 8, 10}, 0x10, inputs.outputPlayDown);
        break;
    case 32:
        setReasonBit(mask, {2, 3, 5, 6, 7, 8, 10}, 0x20, inputs.panelPlayDown);
        break;
    case 64:
        setReasonBit(mask, {0, 1}, 0x40, !inputs.inputTabActive);
        break;
    default:
        break;
    }
}

GroupEnabled enabledGroups(const DisableMask& mask)
{
    GroupEnabled enabled{};
    for (std::size_t group = 0; group < mask.size(); ++group)
        enabled[group] = mask[group] == 0;
    return enabled;
}

} // namespace vantrel
