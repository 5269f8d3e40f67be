#include "ui/app/tform1.h"

#include "core/panel/panel_preview.h"
#include "ui/app/tform1_controls.h"
#include "ui/frames/player_widgets.h"

#include <QAction>

namespace {

constexpr int PanelPage = 3;

PlayerWidgets panelPlayer(const Ui::TForm1& ui, QTimer& timer, bool& restart)
{
    return {vantrel::PanelPlayerRules, *ui.tbPanel, ui.abbPPlay, ui.abbPPause, timer, &restart};
}

} // namespace

void TForm1::connectPanelHandlers()
{
    connect(ui_->abbSelPanel, &QToolButton::clicked, this, &TForm1::abbSelPanelClick);
    connect(ui_->tbPanel, &QSlider::valueChanged, this, &TForm1::tbPanelChange);
    connect(ui_->abbPPlay, &QToolButton::clicked, this, &TForm1::abbPPlayClick);
    connect(ui_->abbPPause, &QToolButton::clicked, this, &TForm1::abbPPauseClick);
    connect(ui_->abbPStop, &QToolButton::clicked, this, &TForm1::abbPStopClick);
    connect(&TimerP, &QTimer::timeout, this, &TForm1::PanelOnTimer);

    connect(ActStart, &QAction::triggered, this, &TForm1::exeActStart);
    connect(ActStop, &QAction::triggered, this, &TForm1::abbPStopClick);
    connect(ActPause, &QAction::triggered, this, &TForm1::exeActPause);
    connect(ActRepeat, &QAction::triggered, this, &TForm1::exeActRep);
    connect(ActNext, &QAction::triggered, this, &TForm1::exeActNext);
    connect(ActBack, &QAction::triggered, this, &TForm1::exeActBack);
}

void TForm1::tbPanelChange()
{
    // An empty store has no frame to show.
    if (Frames.isEmpty())
        return;
    // The mono list's selection only: later commands insert at the output bar's frame.
    Frames.selectMono(ui_->tbPanel->value() - 1);
    showPanelFrame();
}

// The faceplate view follows every change of the frames and of the backlight colour.
void TForm1::showPanelFrame()
{
    const QImage frame = Frames.monoFrame(ui_->tbPanel->value() - 1);
    if (frame.isNull())
        ui_->LeadImage->clear();
    else
        ui_->LeadImage->setImage(
            vantrel::panelViewImage(frame, settings_.levels, PanelColorCode, {ViewWidth, ViewHeight}));
    if (ui_->LeadInfo->hasImage()) {
        QImage info = ui_->LeadInfo->image();
        vantrel::SetPanelPalette(info, settings_.levels, PanelColorCode);
        ui_->LeadInfo->setImage(std::move(info));
    }
}

void TForm1::abbPPlayClick()
{
    panelPlayer(*ui_, TimerP, PanelRestart).play();
    UpdateControlState(vantrel::ControlReason::PanelPlayback);
}

void TForm1::abbPPauseClick()
{
    panelPlayer(*ui_, TimerP, PanelRestart).pause();
}

void TForm1::abbPStopClick()
{
    panelPlayer(*ui_, TimerP, PanelRestart).stop();
    UpdateControlState(vantrel::ControlReason::PanelPlayback);
}

void TForm1::PanelOnTimer()
{
    const vantrel::PlayerStep tick = panelPlayer(*ui_, TimerP, PanelRestart).tick(ui_->abbPRep->isChecked());
    if (tick.ended) {
        UpdateControlState(vantrel::ControlReason::PanelPlayback);
        return;
    }
    if (ui_->tbPanel->value() != tick.position)
        ui_->tbPanel->setValue(tick.position); // draws through tbPanelChange
    else if (tick.drawAlways)
        tbPanelChange();
}

// The keys act on the panel page only; elsewhere they are consumed and do nothing.
bool TForm1::onPanelPage() const
{
    return ui_->PageControl1->currentIndex() == PanelPage;
}

void TForm1::exeActStart()
{
    if (!onPanelPage())
        return;
    ui_->abbPPlay->setChecked(!ui_->abbPPlay->isChecked());
    abbPPlayClick();
}

void TForm1::exeActPause()
{
    if (!onPanelPage())
        return;
    ui_->abbPPause->setChecked(!ui_->abbPPause->isChecked());
    abbPPauseClick();
}

void TForm1::exeActRep()
{
    if (onPanelPage())
        ui_->abbPRep->setChecked(!ui_->abbPRep->isChecked());
}

void TForm1::exeActNext()
{
    if (onPanelPage() && ui_->tbPanel->value() < ui_->tbPanel->maximum())
        ui_->tbPanel->setValue(ui_->tbPanel->value() + 1);
}

void TForm1::exeActBack()
{
    if (onPanelPage() && ui_->tbPanel->value() > ui_->tbPanel->minimum())
        ui_->tbPanel->setValue(ui_->tbPanel->value() - 1);
}
