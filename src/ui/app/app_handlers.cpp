#include "ui/app/tform1.h"

#include "core/app/error_text.h"
#include "core/app/ini_profile.h"
#include "core/app/number_text.h"
#include "ui/app/tform1_controls.h"

#include <QCloseEvent>

void TForm1::ShowError(vantrel::ErrorItem item, const QString& reason)
{
    ShowError(static_cast<int>(item), reason);
}

void TForm1::ShowError(int code, const QString& reason)
{
    QString text = vantrel::errorMessageText(catalogue_.errorTexts, code);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    dialogs_->showMessage(this, QStringLiteral("Error"), text, MessageIcon::Warning);
}

void TForm1::abbEndClick()
{
    close();
}

void TForm1::pcChange(int)
{
    if (ui_->abbPPlay->isChecked())
        abbPStopClick();
    UpdateControlState(vantrel::ControlReason::TabChanged);
    // The faceplate shows the frame at its bar, not one left from before the store changed.
    if (onPanelPage())
        tbPanelChange();
    refreshPagePreview();
}

void TForm1::refreshPagePreview()
{
    if (ui_->PageControl1->currentWidget() == ui_->TabSheet2)
        EffectChange();
    else if (ui_->PageControl1->currentWidget() == ui_->TabSheet3)
        DrawFont();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!Form1CloseQuery()) {
        event->ignore();
        return;
    }
    Form1Close();
    event->accept();
}

bool TForm1::Form1CloseQuery()
{
    const bool unsaved = Frames.hasUnsavedChanges() && !catalogue_.endConfirmUnsaved.isEmpty();
    return dialogs_->confirm(this, catalogue_.endConfirmCaption,
                             unsaved ? catalogue_.endConfirmUnsaved : catalogue_.endConfirmText);
}

void TForm1::Form1Close()
{
    dropRecoveryCopy();
    vantrel::AppSettings current = settings_;
    current.top = y();
    current.left = x();
    current.caption = windowTitle();
    current.initMax = isMaximized();

    // Re-read so that whatever was edited by hand during the run, and every comment, stays; a
    // first exit keeps those of the shipped settings.
    vantrel::IniProfile profile = vantrel::IniProfile::fromFile(vantrel::settingsFileToRead(paths_));
    vantrel::writeSettings(profile, current);
    QString failure; // names the file and the reason
    if (profile.save(paths_.settingsFile, &failure) != 0)
        dialogs_->showMessage(this, QStringLiteral("Error"), failure, MessageIcon::Warning);
}

void TForm1::frmNoExit()
{
    if (!vantrel::numberInRange(ui_->FrmNo->text(), ui_->tbInFrame->minimum(), ui_->tbInFrame->maximum()))
        ui_->FrmNo->setText(QString::number(ui_->tbInFrame->value()));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Number edits are checked when the focus leaves them, whether or not their text changed.
    if (event->type() == QEvent::FocusOut && watched == ui_->FrmNo)
        frmNoExit();
    if (event->type() == QEvent::FocusOut && watched == ui_->MkFrm)
        MkFrmExit();
    if (event->type() == QEvent::FocusOut && watched == ui_->FontSize)
        FontSizeExit();
    if (watched == ui_->LeadFont)
        textPreviewMouse(event);
    if (event->type() == QEvent::FocusOut && watched == ui_->OutPreFrm)
        OutPreFrmExit();
    if (fileDropEvent(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}
