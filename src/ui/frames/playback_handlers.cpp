#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

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
    ui_->abbInFramePlay->setChecked(true);
    if (ui_->abbInFramePause->isChecked())
        ui_->abbInFramePause->setChecked(false); // continues from the frame shown
    else
        GoToInputFrame(ui_->tbInFrame->minimum());
    TimerIn.start();
    UpdateControlState(vantrel::ControlReason::InputPlayback);
}

void TForm1::timerInOnTimer()
{
    const int next = ui_->tbInFrame->value() + 1;
    if (next > ui_->tbInFrame->maximum()) {
        TimerIn.stop();
        ui_->abbInFramePlay->setChecked(false);
        UpdateControlState(vantrel::ControlReason::InputPlayback);
        return;
    }
    GoToInputFrame(next);
}

void TForm1::abbInFramePauseClick()
{
    if (!ui_->abbInFramePlay->isChecked()) {
        ui_->abbInFramePause->setChecked(false); // pausing works only while playing
        return;
    }
    if (ui_->abbInFramePause->isChecked())
        TimerIn.stop();
    else
        TimerIn.start();
}

void TForm1::abbInFrameStopClick()
{
    TimerIn.stop();
    ui_->abbInFramePlay->setChecked(false);
    ui_->abbInFramePause->setChecked(false);
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
    ui_->abbOutPrePlay->setChecked(true);
    TimerOutPre.start();
    if (ui_->abbOutPrePause->isChecked())
        ui_->abbOutPrePause->setChecked(false); // continues from the frame shown
    else
        ui_->tbOutPre->setValue(1);
    UpdateControlState(vantrel::ControlReason::OutputPlayback);
}

void TForm1::OutPreOnTimer()
{
    const int next = ui_->tbOutPre->value() + 1;
    if (next <= ui_->tbOutPre->maximum()) {
        ui_->tbOutPre->setValue(next);
        return;
    }
    if (ui_->abbOutPreRep->isChecked()) {
        ui_->tbOutPre->setValue(1);
        return;
    }
    TimerOutPre.stop();
    ui_->abbOutPrePlay->setChecked(false);
    refreshPagePreview();
    UpdateControlState(vantrel::ControlReason::OutputPlayback);
}

void TForm1::abbOutPrePauseClick()
{
    if (!ui_->abbOutPrePlay->isChecked()) {
        ui_->abbOutPrePause->setChecked(false);
        return;
    }
    if (ui_->abbOutPrePause->isChecked()) {
        TimerOutPre.stop();
        refreshPagePreview();
    } else {
        TimerOutPre.start();
    }
}

void TForm1::abbOutPreStopClick()
{
    if (ui_->abbOutPrePlay->isChecked()) {
        TimerOutPre.stop();
        ui_->abbOutPrePause->setChecked(false);
        ui_->abbOutPrePlay->setChecked(false);
    }
    refreshPagePreview();
    UpdateControlState(vantrel::ControlReason::OutputPlayback);
}
