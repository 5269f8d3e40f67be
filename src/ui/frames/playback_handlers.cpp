#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"
#include "ui/frames/player_widgets.h"

namespace {

PlayerWidgets inputPlayer(const Ui::TForm1& ui, QTimer& timer)
{
    return {vantrel::InputPlayerRules, *ui.tbInFrame, ui.abbInFramePlay, ui.abbInFramePause, timer};
}

PlayerWidgets outputPlayer(const Ui::TForm1& ui, QTimer& timer)
{
    return {vantrel::OutputPlayerRules, *ui.tbOutPre, ui.abbOutPrePlay, ui.abbOutPrePause, timer};
}

} // namespace

void TForm1::connectPlayerHandlers()
{
    connect(&TimerIn, &QTimer::timeout, this, &TForm1::timerInOnTimer);
    connect(ui_->abbInFramePlay, &QToolButton::clicked, this, &TForm1::abbInFramePlayClick);
    connect(ui_->abbInFramePause, &QToolButton::clicked, this, &TForm1::abbInFramePauseClick);
    connect(ui_->abbInFrameStop, &QToolButton::clicked, this, &TForm1::abbInFrameStopClick);
    connect(ui_->abbInFrameTop, &QToolButton::clicked, this, &TForm1::abbInFrameTopClick);
    connect(ui_->abbInFrameBack, &QToolButton::clicked, this, &TForm1::abbInFrameBackClick);
    connect(ui_->abbInFrameNext, &QToolButton::clicked, this, &TForm1::abbInFrameNextClick);
    connect(ui_->abbInFrameEnd, &QToolButton::clicked, this, &TForm1::abbInFrameEndClick);

    connect(&TimerOutPre, &QTimer::timeout, this, &TForm1::OutPreOnTimer);
    connect(ui_->abbOutPrePlay, &QToolButton::clicked, this, &TForm1::abbOutPrePlayClick);
    connect(ui_->abbOutPrePause, &QToolButton::clicked, this, &TForm1::abbOutPrePauseClick);
    connect(ui_->abbOutPreStop, &QToolButton::clicked, this, &TForm1::abbOutPreStopClick);
}

void TForm1::abbInFramePlayClick()
{
    if (const vantrel::PlayerStep step = inputPlayer(*ui_, TimerIn).play(); step.move)
        GoToInputFrame(step.position);
    UpdateControlState(vantrel::ControlReason::InputPlayback);
}

void TForm1::timerInOnTimer()
{
    // The input player has no repeat button.
    const vantrel::PlayerStep step = inputPlayer(*ui_, TimerIn).tick(false);
    if (step.ended) {
        UpdateControlState(vantrel::ControlReason::InputPlayback);
        return;
    }
    GoToInputFrame(step.position);
}

void TForm1::abbInFramePauseClick()
{
    inputPlayer(*ui_, TimerIn).pause();
}

void TForm1::abbInFrameStopClick()
{
    inputPlayer(*ui_, TimerIn).stop();
    UpdateControlState(vantrel::ControlReason::InputPlayback);
}

void TForm1::abbInFrameTopClick()
{
    GoToInputFrame(ui_->tbInFrame->minimum());
}

void TForm1::abbInFrameBackClick()
{
    if (ui_->tbInFrame->value() - 1 >= ui_->tbInFrame->minimum())
        GoToInputFrame(ui_->tbInFrame->value() - 1);
}

void TForm1::abbInFrameNextClick()
{
    if (ui_->tbInFrame->value() + 1 <= ui_->tbInFrame->maximum())
        GoToInputFrame(ui_->tbInFrame->value() + 1);
}

void TForm1::abbInFrameEndClick()
{
    if (ui_->tbInFrame->value() < ui_->tbInFrame->maximum())
        GoToInputFrame(ui_->tbInFrame->maximum());
}

void TForm1::abbOutPrePlayClick()
{
    if (const vantrel::PlayerStep step = outputPlayer(*ui_, TimerOutPre).play(); step.move)
        ui_->tbOutPre->setValue(step.position);
    UpdateControlState(vantrel::ControlReason::OutputPlayback);
}

void TForm1::OutPreOnTimer()
{
    const vantrel::PlayerStep step = outputPlayer(*ui_, TimerOutPre).tick(ui_->abbOutPreRep->isChecked());
    if (!step.ended) {
        ui_->tbOutPre->setValue(step.position);
        return;
    }
    refreshPagePreview();
    UpdateControlState(vantrel::ControlReason::OutputPlayback);
}

void TForm1::abbOutPrePauseClick()
{
    if (outputPlayer(*ui_, TimerOutPre).pause())
        refreshPagePreview();
}

void TForm1::abbOutPreStopClick()
{
    outputPlayer(*ui_, TimerOutPre).stop();
    refreshPagePreview();
    UpdateControlState(vantrel::ControlReason::OutputPlayback);
}
