#include "ui/files/export_dialog.h"

#include "core/files/anim_export.h"

#include "ui_export_dialog.h"

#include <QPushButton>

ExportDialog::ExportDialog(const vantrel::ExportChoices& choices, const ExportDialogTexts& texts,
                           QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::ExportDialog>())
{
    ui_->setupUi(this);
    ui_->spScale->setRange(1, vantrel::MaxExportScale);
    setWindowTitle(texts.title);
    ui_->lbScale->setText(texts.scale);
    ui_->cbDots->setText(texts.dots);
    ui_->cbFaceplate->setText(texts.faceplate);
    ui_->buttons->button(QDialogButtonBox::Ok)->setText(texts.ok);
    ui_->buttons->button(QDialogButtonBox::Cancel)->setText(texts.cancel);
    connect(ui_->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setChoices(choices);
}

ExportDialog::~ExportDialog() = default;

vantrel::ExportChoices ExportDialog::choices() const
{
    return {ui_->spScale->value(), ui_->cbDots->isChecked(), ui_->cbFaceplate->isChecked()};
}

void ExportDialog::setChoices(const vantrel::ExportChoices& choices)
{
    ui_->spScale->setValue(choices.scale);
    ui_->cbDots->setChecked(choices.dots);
    ui_->cbFaceplate->setChecked(choices.faceplate);
}
