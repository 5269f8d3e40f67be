#include "ui/app/tform1.h"

#include "core/app/ini_profile.h"
#include "ui/app/tform1_controls.h"

namespace {

// The picture dialog takes at most 255 characters per text.
QString dialogText(const QString& text)
{
    return text.left(255);
}

} // namespace

void TForm1::LoadMessages()
{
    catalogue_ = vantrel::loadCatalogue(vantrel::IniProfile::fromFile(paths_.catalogueFile));

    ui_->cbEffect->addItems(catalogue_.effect);
    ui_->cbDither->addItems(catalogue_.dithering);
    ui_->cbCutK->addItems(catalogue_.animation);
    ui_->cbFColor->addItems(catalogue_.fontColor);
    ui_->cbFEffect->addItems(catalogue_.fontEffect);
    ui_->cbFontB->addItems(catalogue_.fontBGColor);
    ui_->cbScale->addItems(catalogue_.scale);

    for (const auto& [control, text] : catalogue_.captions)
        setCaption(control, text);

    pictureDialogTexts_.title = dialogText(catalogue_.dialogTitle);
    pictureDialogTexts_.lookIn = dialogText(catalogue_.fileDir);
    pictureDialogTexts_.fileName = dialogText(catalogue_.fileName);
    pictureDialogTexts_.fileType = dialogText(catalogue_.fileKind);
    pictureDialogTexts_.accept = dialogText(catalogue_.fileOpen);
    pictureDialogTexts_.reject = dialogText(catalogue_.fileCancel);
    // A Qt file dialog has no preview, so the preview label has nowhere to go.

    for (const auto& [control, text] : catalogue_.hints) {
        if (QWidget* widget = findChild<QWidget*>(control))
            widget->setToolTip(text);
    }
}

void TForm1::setCaption(const QString& controlName, const QString& text)
{
    QWidget* control = findChild<QWidget*>(controlName);
    if (!control)
        return;
    if (const int tab = ui_->PageControl1->indexOf(control); tab >= 0) {
        ui_->PageControl1->setTabText(tab, text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    }
}
