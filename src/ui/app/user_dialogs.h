#pragma once

#include <QString>
#include <QUrl>

#include <memory>

class QWidget;
class ExportDialog;
class TdlgIns;

// Label texts of a file dialog; an empty text keeps the dialog's own wording.
struct FileDialogTexts
{
    QString title;
    QString lookIn;
    QString fileName;
    QString fileType;
    QString accept;
    QString reject;
};

struct FileDialogRequest
{
    FileDialogTexts texts;
    QString folder;
    QString fileName;
    QString filter; // Qt filter list, ";;" between entries
    QString defaultSuffix;
    bool confirmOverwrite = true; // a save dialog's own question before replacing a file
};

enum class MessageIcon { None, Warning };

// The progress of a long run, shown once the run has taken a moment, with a Cancel button.
class ProgressMonitor
{
public:
    virtual ~ProgressMonitor() = default;
    // Reports `done` steps of the total and lets the window repaint; false once the user
    // cancelled.
    virtual bool advance(int done) = 0;
};

// Everything modal the window shows and everything it hands to the desktop, behind one
// interface so that tests can answer in place of a user.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // A box with an OK button.
    virtual void showMessage(QWidget* owner, const QString& caption, const QString& text,
                             MessageIcon icon) = 0;
    // A box with OK and Cancel; true for OK.
    virtual bool confirm(QWidget* owner, const QString& caption, const QString& text) = 0;
    // A question with two answers, `yes` the default button; true for `yes`.
    virtual bool ask(QWidget* owner, const QString& caption, const QString& text, const QString& yes,
                     const QString& no) = 0;
    // The chosen file, or an empty text when the user cancels.
    virtual QString openFile(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual QString saveFile(QWidget* owner, const FileDialogRequest& request) = 0;
    // The desktop's "open" for a file or web address; false when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Runs the insert-position dialog modally; its InsertPos() holds the answer afterwards.
    virtual int execInsertDialog(TdlgIns& dialog) = 0;
    // Runs the export dialog modally; QDialog::Accepted with its choices() the answer.
    virtual int execExportDialog(ExportDialog& dialog) = 0;
    // Progress of a run of `total` steps; the dialog goes when the monitor does.
    virtual std::unique_ptr<ProgressMonitor> startProgress(QWidget* owner, const QString& text,
                                                           int total) = 0;
};
