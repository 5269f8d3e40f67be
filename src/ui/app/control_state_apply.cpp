#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

void TForm1::collectControlGroups()
{
    // abbCutE belongs to groups 5 and 6 and is applied on its own.
    groupControls_ = {{
        {ui_->abbInPic},
        {ui_->abbDelPic, ui_->abbInClr},
        {ui_->abbFLoad},
        {ui_->abbFSave},
        {ui_->abbInFrameStop, ui_->abbInFramePlay, ui_->abbInFramePause, ui_->abbInFrameTop,
         ui_->abbInFrameBack, ui_->abbInFrameNext, ui_->abbInFrameEnd},
        {ui_->abbCutS},
        {},
        {ui_->abbExecute},
        {ui_->sbDesideEf, ui_->abbDesideEfA, ui_->abbInsFont, ui_->abbInsFontA},
        {ui_->abbOutPreStop, ui_->abbOutPrePlay, ui_->abbOutPrePause, ui_->abbOutPreBack, ui_->abbOutPreNext},
        {ui_->abbOutPreDel, ui_->abbOutPreClr},
        {ui_->abbPStop, ui_->abbPPlay, ui_->abbPPause},
    }};
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

void TForm1::UpdateControlState(int reason)
{
    if (reason == 255) {
        showEffectStrengthBar();
        return;
    }
    vantrel::updateDisableMask(disableMask_, reason, controlStateInputs());
    applyControlState();
}

void TForm1::applyControlState()
{
    const vantrel::GroupEnabled enabled = vantrel::enabledGroups(disableMask_);
    for (std::size_t group = 0; group < groupControls_.size(); ++group) {
        if (group == 6 && !enabled[6] && ui_->abbCutE->isChecked()) {
            // Ends the end-area selection exactly as a click on the button would.
            ui_->abbCutE->setChecked(false);
            emit ui_->abbCutE->clicked(false);
        }
        for (QWidget* control : groupControls_[group])
            control->setEnabled(enabled[group]);
    }
    ui_->abbCutE->setEnabled(enabled[5] && enabled[6]);
}

void TForm1::showEffectStrengthBar()
{
    const int effect = ui_->cbEffect->currentIndex();
    const bool show = effect >= 1 && effect <= 3;
    if (ui_->tbEffect->isHidden() == show)
        ui_->tbEffect->setVisible(show);
}
