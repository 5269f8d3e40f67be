#include "ui/app/tform1.h"

#include "core/frames/frame_edits.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/effects.h"
#include "core/imaging/mono_conversion.h"
#include "core/imaging/mono_preview.h"
#include "ui/app/tform1_controls.h"

#include <QSignalBlocker>

void TForm1::cbEffectChange()
{
    if (Frames.isEmpty() && ui_->cbEffect->currentIndex() != vantrel::NoEffect) {
        ui_->cbEffect->setCurrentIndex(vantrel::NoEffect); // comes back here
        return;
    }
    UpdateControlState(vantrel::ControlReason::EffectChanged); // hides the strength bar with no effect chosen
    if (Frames.isEmpty())
        return;
    if (vantrel::effectHasStrength(ui_->cbEffect->currentIndex())) {
        const QSignalBlocker quiet(ui_->tbEffect); // one refresh below, not one per setting
        ui_->tbEffect->setRange(vantrel::MinEffectStrength, vantrel::MaxEffectStrength);
        ui_->tbEffect->setValue(0);
        ui_->tbEffect->setTickInterval(200);
    }
    EffectChange();
}

void TForm1::EffectChange()
{
    QImage colour = Frames.colourFrame(currentFrameIndex());
    if (colour.isNull()) {
        ui_->LeadEfColor->clear();
        ui_->LeadEfMono->clear();
        return;
    }
    vantrel::ApplyEffect(colour, ui_->cbEffect->currentIndex(), ui_->tbEffect->value());
    ui_->LeadEfColor->setImage(vantrel::FitToView(colour, ui_->LeadEfColor->size()));
    ui_->LeadEfMono->setImage(vantrel::monoPreview(colour, ui_->cbDither->currentIndex(), settings_.levels,
                                                   colourCodeFromBars(), ui_->LeadEfMono->size()));
}

void TForm1::abbDesideEfAClick()
{
    Frames.pushUndo(UndoStack, 0, Frames.count(), true, true);
    for (int i = 0; i < Frames.count(); ++i)
        applyEffectToFrame(i);
    tbOutPreOnChange();
    cbEffectChange();
}

void TForm1::sbDesideEfClick()
{
    applyEffectToFrame(currentFrameIndex());
    cbEffectChange();
}

void TForm1::applyEffectToFrame(int index)
{
    vantrel::applyEffectToFrame(Frames, index, ui_->cbEffect->currentIndex(), ui_->tbEffect->value(),
                                ui_->cbDither->currentIndex());
}

void TForm1::connectEffectHandlers()
{
    connect(ui_->cbEffect, &QComboBox::currentIndexChanged, this, &TForm1::cbEffectChange);
    connect(ui_->tbEffect, &QSlider::valueChanged, this, &TForm1::EffectChange);
    connect(ui_->abbDesideEfA, &QToolButton::clicked, this, &TForm1::abbDesideEfAClick);
    connect(ui_->sbDesideEf, &QToolButton::clicked, this, &TForm1::sbDesideEfClick);
}
