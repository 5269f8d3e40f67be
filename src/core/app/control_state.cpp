#include "core/app/control_state.h"

#include "core/frames/frame_store.h"

#include <initializer_list>

namespace vantrel {

namespace {

void setReasonBit(DisableMask& mask, std::initializer_list<ControlGroup> groups, ControlReason reason,
                  bool holds)
{
    const auto bit = static_cast<std::uint8_t>(reason);
    for (ControlGroup group : groups) {
        auto& byte = mask[groupIndex(group)];
        byte = static_cast<std::uint8_t>(holds ? (byte | bit) : (byte & ~bit));
    }
}

} // namespace

void updateDisableMask(DisableMask& mask, ControlReason reason, const ControlStateInputs& inputs)
{
    using enum ControlGroup;
    switch (reason) {
    case ControlReason::InputListChanged: {
        const bool empty = inputs.inputFrameCount <= 0;
        // One frame can be cut from but not played.
        setReasonBit(mask, {RemoveInput, StartArea, EndArea, Generate}, reason, empty);
        setReasonBit(mask, {InputPlayer}, reason, empty || inputs.inputFrameCount == 1);
        break;
    }
    case ControlReason::InputPlayback:
        setReasonBit(mask, {AddInput, RemoveInput, StartArea, EndArea, Generate}, reason,
                     inputs.inputPlayDown);
        break;
    case ControlReason::FramesToCreate:
        setReasonBit(mask, {EndArea}, reason, inputs.framesToCreate == 1);
        break;
    case ControlReason::StoreChanged:
        setReasonBit(mask, {SaveFrames, ApplyToFrames, OutputPlayer, DeleteFrames, PanelPlayer}, reason,
                     inputs.outputFrameCount <= 0);
        setReasonBit(mask, {LoadFrames}, reason, inputs.outputFrameCount >= MaxFrames);
        break;
    case ControlReason::OutputPlayback:
    case ControlReason::PanelPlayback:
        // Either player holds the store still while it plays.
        setReasonBit(
            mask, {LoadFrames, SaveFrames, StartArea, EndArea, Generate, ApplyToFrames, DeleteFrames}, reason,
            reason == ControlReason::OutputPlayback ? inputs.outputPlayDown : inputs.panelPlayDown);
        break;
    case ControlReason::TabChanged:
        setReasonBit(mask, {AddInput, RemoveInput}, reason, !inputs.inputTabActive);
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
