#pragma once

#include "core/app/app_settings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ExportDialog;
}

// The dialog's texts, from the catalogue.
struct ExportDialogTexts
{
    QString title, scale, dots, faceplate, ok, cancel;
};

// How an export looks: the dot pitch, the device's dots and the registered faceplate around them.
class ExportDialog : public QDialog
{
    Q_OBJECT
public:
    ExportDialog(const vantrel::ExportChoices& choices, const ExportDialogTexts& texts,
                 QWidget* parent = nullptr);
    ~ExportDialog() override;

    vantrel::ExportChoices choices() const;
    void setChoices(const vantrel::ExportChoices& choices);

private:
    std::unique_ptr<Ui::ExportDialog> ui_;
};
