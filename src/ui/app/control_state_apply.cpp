#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

#include <utility>

void TForm1::collectControlGroups()
{
    using enum vantrel::ControlGroup;
    // abbCutE belongs to StartArea and EndArea and is applied on its own.
    const std::pair<vantrel::ControlGroup, std::vector<QWidget*>> groups[] = {
        {AddInput, {ui_->abbInPic}},
        {RemoveInput, {ui_->abbDelPic, ui_->abbInClr}},
        {LoadFrames, {ui_->abbFLoad}},
        {SaveFrames, {ui_->abbFSave}},
        {InputPlayer,
         {ui_->abbInFrameStop, ui_->abbInFramePlay, ui_->abbInFramePause, ui_->abbInFrameTop,
          ui_->abbInFrameBack, ui_->abbInFrameNext, ui_->abbInFrameEnd}},
        {StartArea, {ui_->abbCutS}},
        {Generate, {ui_->abbExecute}},
        {ApplyToFrames, {ui_->sbDesideEf, ui_->abbDesideEfA, ui_->abbInsFont, ui_->abbInsFontA}},
        {OutputPlayer,
         {ui_->abbOutPreStop, ui_->abbOutPrePlay, ui_->abbOutPrePause, ui_->abbOutPreBack,
          ui_->abbOutPreNext}},
        {DeleteFrames, {ui_->abbOutPreDel, ui_->abbOutPreClr}},
        {PanelPlayer, {ui_->abbPStop, ui_->abbPPlay, ui_->abbPPause}},
    };
    for (const auto& [group, controls] : groups)
        groupControls_[vantrel::groupIndex(group)] = controls;
}

int TForm1::inputFrameCount() const
{
    return InputFrames.TotalFrames();
}

int TForm1::outputFrameCount() const
{
    return Frames.count();
}

vantrel::ControlStateInputs TForm1::controlStateInputs() const
{
    vantrel::ControlStateInputs inputs;
    inputs.inputFrameCount = inputFrameCount();
    inputs.inputPlayDown = ui_->abbInFramePlay->isChecked();
    inputs.framesToCreate = ui_->udGetFrm->position();
    inputs.outputFrameCount = outputFrameCount();
    inputs.outputPlayDown = ui_->abbOutPrePlay->isChecked();
    inputs.panelPlayDown = ui_->abbPPlay->isChecked();
    inputs.inputTabActive = ui_->PageControl1->currentWidget() == ui_->TabSheet1;
    return inputs;
}

void TForm1::UpdateControlState(vantrel::ControlReason reason)
{
    if (reason == vantrel::ControlReason::EffectChanged) {
        showEffectStrengthBar();
        return;
    }
    vantrel::updateDisableMask(disableMask_, reason, controlStateInputs());
    applyControlState();
}

void TForm1::applyControlState()
{
    const vantrel::GroupEnabled enabled = vantrel::enabledGroups(disableMask_);
    const auto isEnabled = [&enabled](vantrel::ControlGroup group) {
        return enabled[vantrel::groupIndex(group)];
    };
    const std::size_t endArea = vantrel::groupIndex(vantrel::ControlGroup::EndArea);
    for (std::size_t group = 0; group < groupControls_.size(); ++group) {
        if (group == endArea && !enabled[endArea] && ui_->abbCutE->isChecked()) {
            // Ends the end-area selection exactly as a click on the button would.
            ui_->abbCutE->setChecked(false);
            emit ui_->abbCutE->clicked(false);
        }
        for (QWidget* control : groupControls_[group])
            control->setEnabled(enabled[group]);
    }
    ui_->abbCutE->setEnabled(isEnabled(vantrel::ControlGroup::StartArea) &&
                             isEnabled(vantrel::ControlGroup::EndArea));
}

void TForm1::showEffectStrengthBar()
{
    const int effect = ui_->cbEffect->currentIndex();
    const bool show = effect >= 1 && effect <= 3;
    if (ui_->tbEffect->isHidden() == show)
        ui_->tbEffect->setVisible(show);
}
