#include "ui/app/tform1.h"

#include "core/frames/frame_bars.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/imaging/mono_preview.h"
#include "ui/app/tform1_controls.h"

#include <algorithm>

bool TForm1::InsertFrame(const QImage& picture, const QImage& overlay, int index)
{
    return Frames.InsertFrame(picture, overlay, {settings_.panelWidth, settings_.panelHeight},
                              ui_->cbDither->currentIndex(), index);
}

void TForm1::UpdateFrameBars()
{
    const int maximum = vantrel::frameBarMaximum(Frames.count());
    const QList<int> ticks = vantrel::frameBarTicks(maximum);
    const bool beyond = ui_->tbOutPre->value() > maximum;
    for (FrameTrackBar* bar : {ui_->tbOutPre, ui_->tbPanel}) {
        bar->setMaximum(maximum); // keeps the position within range
        bar->setTickPositions(ticks);
    }
    if (beyond)
        ui_->OutPreFrm->setText(QString::number(maximum));
}

void TForm1::releaseCutButton()
{
    for (QToolButton* cut : {ui_->abbCutS, ui_->abbCutE}) {
        if (cut->isChecked()) {
            // Ends the area selection exactly as a click on the button would.
            cut->setChecked(false);
            emit cut->clicked(false);
            return;
        }
    }
}

void TForm1::tbOutPreOnChange()
{
    releaseCutButton();
    const int position = ui_->tbOutPre->value();
    ui_->OutPreFrm->setText(QString::number(position));
    if (Frames.isEmpty()) {
        // Nothing left to show: the views must not keep a frame that is gone.
        ui_->LeadColor->clear();
        ui_->LeadMono->clear();
        ui_->LeadImage->clear();
        return;
    }
    const int index = position - 1;
    Frames.select(index);
    ui_->LeadColor->setImage(vantrel::FitToView(Frames.colourFrame(index), ui_->LeadColor->size()));
    SetColorBarsFromCode(PanelColorCode);
    showMonoFrame(index);
    showPanelFrame();
    refreshPagePreview();
}

void TForm1::showMonoFrame(int index)
{
    ui_->LeadMono->setImage(vantrel::tintedPreview(Frames.monoFrame(index), settings_.levels, PanelColorCode,
                                                   ui_->LeadMono->size()));
}

void TForm1::showFramePosition(int position)
{
    const int clamped = std::clamp(position, ui_->tbOutPre->minimum(), ui_->tbOutPre->maximum());
    // The display runs either way: directly when the bar already stands there.
    if (ui_->tbOutPre->value() == clamped)
        tbOutPreOnChange();
    else
        ui_->tbOutPre->setValue(clamped);
}

int TForm1::currentFrameIndex() const
{
    return ui_->tbOutPre->value() - 1;
}

void TForm1::OutPreFrmOnChange(const QString& text)
{
    const std::optional<int> number =
        vantrel::parseFrameNumber(text, ui_->tbOutPre->minimum(), ui_->tbOutPre->maximum());
    if (number)
        showFramePosition(*number);
}

void TForm1::OutPreFrmExit()
{
    if (!vantrel::parseFrameNumber(ui_->OutPreFrm->text(), ui_->tbOutPre->minimum(),
                                   ui_->tbOutPre->maximum()))
        ui_->OutPreFrm->setText(QString::number(ui_->tbOutPre->value()));
}

void TForm1::abbOutPreBackClick()
{
    if (ui_->tbOutPre->value() - 1 >= ui_->tbOutPre->minimum())
        ui_->tbOutPre->setValue(ui_->tbOutPre->value() - 1);
}

void TForm1::abbOutPreNextClick()
{
    if (ui_->tbOutPre->value() + 1 <= ui_->tbOutPre->maximum())
        ui_->tbOutPre->setValue(ui_->tbOutPre->value() + 1);
}

void TForm1::abbOutPreDelClick()
{
    Frames.pushUndoWhole(UndoStack);
    // The bar's frame, not the mono list's selection, which the panel preview moves.
    Frames.removeFrame(currentFrameIndex());
    UpdateFrameBars();
    tbOutPreOnChange();
    if (Frames.isEmpty())
        ui_->cbEffect->setCurrentIndex(0);
    UpdateControlState(vantrel::ControlReason::StoreChanged);
}

void TForm1::abbOutPreClrClick()
{
    Frames.pushUndoWhole(UndoStack);
    Frames.clear();
    for (BitmapView* view :
         {ui_->LeadColor, ui_->LeadMono, ui_->LeadEfColor, ui_->LeadEfMono, ui_->LeadFont, ui_->LeadImage})
        view->clear();
    UpdateFrameBars();
    ui_->cbEffect->setCurrentIndex(0);
    // The views show the cut of the area being edited again.
    if (vantrel::TCutArea* area = shownArea())
        PreviewArea(*area);
    UpdateControlState(vantrel::ControlReason::StoreChanged);
}
