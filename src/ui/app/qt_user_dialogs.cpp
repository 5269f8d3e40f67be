#include "ui/app/qt_user_dialogs.h"

#include "ui/files/anim_dialog_filter.h"
#include "ui/files/export_dialog.h"

#include "ui/input/tdlg_ins.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace {

QString runFileDialog(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, request.texts.title, request.folder, request.filter);
    // The native dialogs ignore label texts and Qt's translations; the catalogue chooses both.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultSuffix);
        // A name typed without extension takes the chosen kind's, when the kind has one.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, &request](const QString& entry) {
                             const QString suffix = singleSuffixOf(entry);
                             dialog.setDefaultSuffix(suffix.isEmpty() ? request.defaultSuffix : suffix);
                         });
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    const std::pair<QFileDialog::DialogLabel, const QString*> labels[] = {
        {QFileDialog::LookIn, &request.texts.lookIn},     {QFileDialog::FileName, &request.texts.fileName},
        {QFileDialog::FileType, &request.texts.fileType}, {QFileDialog::Accept, &request.texts.accept},
        {QFileDialog::Reject, &request.texts.reject},
    };
    for (const auto& [label, text] : labels) {
        if (!text->isEmpty())
            dialog.setLabelText(label, *text);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

class ProgressDialogMonitor final : public ProgressMonitor
{
public:
    ProgressDialogMonitor(QWidget* owner, const QString& text, int total)
        : dialog_(text, QString(), 0, total, owner)
    {
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500); // short runs finish before anything flashes up
        dialog_.setAutoClose(false);
        // Qt's own Cancel button, in the language of Qt's translation.
        dialog_.setCancelButton(new QPushButton(QProgressDialog::tr("Cancel"), &dialog_));
    }

    bool advance(int done) override
    {
        dialog_.setValue(done); // a modal progress dialog lets pending events through here
        QCoreApplication::processEvents();
        return !dialog_.wasCanceled();
    }

private:
    QProgressDialog dialog_;
};

} // namespace

void QtUserDialogs::showMessage(QWidget* owner, const QString& caption, const QString& text, MessageIcon icon)
{
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon, caption, text,
                    QMessageBox::Ok, owner);
    box.exec();
}

bool QtUserDialogs::confirm(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, owner);
    return box.exec() == QMessageBox::Ok;
}

bool QtUserDialogs::ask(QWidget* owner, const QString& caption, const QString& text, const QString& yes,
                        const QString& no)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner);
    QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.exec();
    return box.clickedButton() == accept;
}

QString QtUserDialogs::openFile(QWidget* owner, const FileDialogRequest& request)
{
    return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::saveFile(QWidget* owner, const FileDialogRequest& request)
{
    return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

bool QtUserDialogs::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

int QtUserDialogs::execInsertDialog(TdlgIns& dialog)
{
    return dialog.exec();
}

int QtUserDialogs::execExportDialog(ExportDialog& dialog)
{
    return dialog.exec();
}

std::unique_ptr<ProgressMonitor> QtUserDialogs::startProgress(QWidget* owner, const QString& text, int total)
{
    return std::make_unique<ProgressDialogMonitor>(owner, text, total);
}
