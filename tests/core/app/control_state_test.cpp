#include "core/app/control_state.h"

#include <gtest/gtest.h>

#include <set>

using namespace vantrel;

namespace {

// Applies every reason in start-up order, as the window does.
GroupEnabled stateFor(const ControlStateInputs& inputs)
{
    DisableMask mask{};
    using enum ControlReason;
    for (ControlReason reason : {InputListChanged, InputPlayback, FramesToCreate, StoreChanged,
                                 OutputPlayback, PanelPlayback, TabChanged})
        updateDisableMask(mask, reason, inputs);
    return enabledGroups(mask);
}

std::set<int> disabledGroups(const GroupEnabled& enabled)
{
    std::set<int> groups;
    for (int g = 0; g < ControlGroupCount; ++g) {
        if (!enabled[static_cast<std::size_t>(g)])
            groups.insert(g);
    }
    return groups;
}

ControlStateInputs withInput(int inputFrames, int outputFrames = 5)
{
    ControlStateInputs inputs;
    inputs.inputFrameCount = inputFrames;
    inputs.outputFrameCount = outputFrames;
    return inputs;
}

} // namespace

TEST(ControlState, NothingLoadedLeavesOnlyAddingAndLoading)
{
    // Groups 0 (add input) and 2 (load) are the only enabled ones.
    EXPECT_EQ(disabledGroups(stateFor(ControlStateInputs{})),
              (std::set<int>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(ControlState, InputFrameCountDecidesCuttingAndPlayback)
{
    EXPECT_EQ(disabledGroups(stateFor(withInput(1))), (std::set<int>{4}));
    EXPECT_TRUE(disabledGroups(stateFor(withInput(2))).empty());
    EXPECT_EQ(disabledGroups(stateFor(withInput(0))), (std::set<int>{1, 4, 5, 6, 7}));
}

TEST(ControlState, OneFrameToCreateDisablesOnlyTheEndArea)
{
    ControlStateInputs inputs = withInput(3);
    inputs.framesToCreate = 1;
    EXPECT_EQ(disabledGroups(stateFor(inputs)), (std::set<int>{6}));
    inputs.framesToCreate = 2;
    EXPECT_TRUE(disabledGroups(stateFor(inputs)).empty());
}

TEST(ControlState, FullStoreDisablesLoadingButNotCreating)
{
    EXPECT_EQ(disabledGroups(stateFor(withInput(2, 90))), (std::set<int>{2}));
    EXPECT_EQ(disabledGroups(stateFor(withInput(2, 95))), (std::set<int>{2}));
    EXPECT_TRUE(disabledGroups(stateFor(withInput(2, 89))).empty());
    EXPECT_EQ(disabledGroups(stateFor(withInput(2, 0))), (std::set<int>{3, 8, 9, 10, 11}));
}

TEST(ControlState, EachPlayerDisablesItsGroups)
{
    ControlStateInputs inputs = withInput(2);
    inputs.inputPlayDown = true;
    EXPECT_EQ(disabledGroups(stateFor(inputs)), (std::set<int>{0, 1, 5, 6, 7}));

    inputs = withInput(2);
    inputs.outputPlayDown = true;
    EXPECT_EQ(disabledGroups(stateFor(inputs)), (std::set<int>{2, 3, 5, 6, 7, 8, 10}));

    inputs = withInput(2);
    inputs.panelPlayDown = true;
    EXPECT_EQ(disabledGroups(stateFor(inputs)), (std::set<int>{2, 3, 5, 6, 7, 8, 10}));
}

TEST(ControlState, OtherTabsDisableInputEditing)
{
    ControlStateInputs inputs = withInput(2);
    inputs.inputTabActive = false;
    EXPECT_EQ(disabledGroups(stateFor(inputs)), (std::set<int>{0, 1}));
}

TEST(ControlState, ReasonsKeepTheirOwnBits)
{
    ControlStateInputs inputs = withInput(2);
    inputs.outputPlayDown = true;
    inputs.panelPlayDown = true;
    DisableMask mask{};
    updateDisableMask(mask, ControlReason::OutputPlayback, inputs);
    updateDisableMask(mask, ControlReason::PanelPlayback, inputs);

    // The output player stops; the panel player still holds the same groups.
    inputs.outputPlayDown = false;
    updateDisableMask(mask, ControlReason::OutputPlayback, inputs);
    EXPECT_EQ(disabledGroups(enabledGroups(mask)), (std::set<int>{2, 3, 5, 6, 7, 8, 10}));
    EXPECT_EQ(mask[2], 0x20);

    inputs.panelPlayDown = false;
    updateDisableMask(mask, ControlReason::PanelPlayback, inputs);
    EXPECT_TRUE(disabledGroups(enabledGroups(mask)).empty());
}

TEST(ControlState, StaleBitsStayUntilTheirReasonIsUpdated)
{
    DisableMask mask{};
    updateDisableMask(mask, ControlReason::InputListChanged, withInput(0));
    // More input arrives, but only reason 8 is recomputed: group 1 stays disabled.
    updateDisableMask(mask, ControlReason::StoreChanged, withInput(4));
    EXPECT_EQ(mask[1], 0x01);
    updateDisableMask(mask, ControlReason::InputListChanged, withInput(4));
    EXPECT_EQ(mask[1], 0x00);
}

TEST(ControlState, UnknownReasonsChangeNothing)
{
    DisableMask mask{};
    mask[3] = 0x08;
    const DisableMask before = mask;
    for (int reason : {0, 3, 128, 255, -1})
        updateDisableMask(mask, static_cast<ControlReason>(reason), ControlStateInputs{});
    EXPECT_EQ(mask, before);
}
