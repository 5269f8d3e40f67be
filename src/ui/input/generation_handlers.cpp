#include "ui/app/tform1.h"

#include "core/files/anim_commands.h"
#include "core/frames/frame_bars.h"
#include "core/input/animation_generator.h"
#include "core/input/generation_run.h"
#include "ui/app/tform1_controls.h"

void TForm1::abbExecuteClick()
{
    UndoStack.Clear();
    const int frameCount = ui_->udGetFrm->position();
    if (Frames.count() + frameCount > vantrel::MaxFrames) {
        dialogs_->showMessage(
            this, QStringLiteral("Error"),
            vantrel::errorItemText(catalogue_.errorTexts, vantrel::ErrorItem::TooManyFrames),
            MessageIcon::Warning);
        return;
    }
    // An area being edited takes the frame shown, as a click on its button would.
    for (QToolButton* cut : {ui_->abbCutS, ui_->abbCutE}) {
        if (cut->isChecked()) {
            cut->setChecked(false);
            cut == ui_->abbCutS ? abbCutSClick() : abbCutEClick();
            break;
        }
    }
    int index = 0;
    if (!Frames.isEmpty()) {
        const vantrel::InsertPosition answer = askInsertPosition(frameCount);
        if (answer == vantrel::InsertCancelled)
            return;
        index = vantrel::insertIndexAt(Frames.count(), currentFrameIndex(), answer == vantrel::InsertAfter);
    }
    const int code = generate(index);
    // The run moved the input list through the areas' frames: the frame shown is current again,
    // so that deleting or adding input files works next to the file the user sees.
    vantrel::InputPicture shown;
    InputFrames.SelectFrame(ui_->tbInFrame->value() - 1, shown);
    if (code != 0)
        ShowError(vantrel::inputErrorItem(code));
    UpdateFrameBars();
    showFramePosition(Frames.monoSelection() + 1);
    UpdateControlState(vantrel::ControlReason::StoreChanged);
}

// Makes the run's frames into the store from `insertIndex` on; a cancelled or failed run
// leaves the store as it was.
int TForm1::generate(int insertIndex)
{
    vantrel::GenerationRequest request;
    request.start = StartArea;
    request.end = EndArea;
    request.zoomPercent = inputZoomPercent();
    request.panelSize = {settings_.panelWidth, settings_.panelHeight};
    request.frameCount = ui_->udGetFrm->position();
    request.method = ui_->cbCutK->currentIndex();
    request.scaling = cutScaling();
    vantrel::AnimationGenerator generator(request, [this](int frameNo, vantrel::InputPicture& picture) {
        return InputFrames.SelectFrame(frameNo - 1, picture);
    });

    const std::unique_ptr<ProgressMonitor> progress =
        dialogs_->startProgress(this, catalogue_.generating, generator.frameCount());
    return vantrel::generateIntoStore(Frames, generator, request.panelSize, ui_->cbDither->currentIndex(),
                                      insertIndex, [&](int made) { return progress->advance(made); });
}

void TForm1::MkFrmChange(const QString& text)
{
    if (const auto number =
            vantrel::parseFrameNumber(text, ui_->udGetFrm->minimum(), ui_->udGetFrm->maximum())) {
        ui_->udGetFrm->setPosition(*number);
        UpdateControlState(vantrel::ControlReason::FramesToCreate);
    }
}

void TForm1::MkFrmExit()
{
    if (!vantrel::parseFrameNumber(ui_->MkFrm->text(), ui_->udGetFrm->minimum(), ui_->udGetFrm->maximum()))
        ui_->MkFrm->setText(QString::number(ui_->udGetFrm->position()));
    UpdateControlState(vantrel::ControlReason::FramesToCreate);
}
