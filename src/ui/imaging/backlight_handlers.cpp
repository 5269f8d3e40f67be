#include "ui/app/tform1.h"

#include "core/imaging/mono_conversion.h"
#include "core/imaging/mono_preview.h"
#include "ui/app/tform1_controls.h"

std::uint8_t TForm1::colourCodeFromBars() const
{
    return static_cast<std::uint8_t>(ui_->tbRed->value() * 16 + ui_->tbGreen->value() * 4 +
                                     ui_->tbBlue->value());
}

void TForm1::retint(BitmapView* view) const
{
    if (!view->hasImage())
        return;
    QImage image = view->image();
    vantrel::SetPanelPalette(image, settings_.levels, PanelColorCode);
    view->setImage(std::move(image));
}

void TForm1::tbColorOnChange()
{
    if (ColorCodeLock)
        return;
    PanelColorCode = colourCodeFromBars();
    if (!Frames.isEmpty()) {
        const int current = Frames.monoSelection();
        QImage stored = Frames.monoFrame(current);
        vantrel::SetPanelPalette(stored, settings_.levels, PanelColorCode);
        Frames.setMonoFrame(current, stored);
    }
    for (BitmapView* view : {ui_->LeadMono, ui_->LeadFont, ui_->LeadEfMono})
        retint(view);
    showPanelFrame();
}

void TForm1::cbDitherOnChange()
{
    if (!ui_->LeadEfColor->hasImage())
        return;
    const QImage& colour = ui_->LeadEfColor->image(); // already at the view's size
    ui_->LeadEfMono->setImage(vantrel::monoPreview(colour, ui_->cbDither->currentIndex(), settings_.levels,
                                                   colourCodeFromBars(), colour.size()));
}

void TForm1::SetColorBarsFromCode(std::uint8_t code)
{
    ColorCodeLock = true;
    ui_->tbBlue->setValue(code & 3);
    ui_->tbGreen->setValue((code >> 2) & 3);
    ui_->tbRed->setValue((code >> 4) & 3);
    ColorCodeLock = false;
}
