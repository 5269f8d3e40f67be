#pragma once

#include "ui/app/user_dialogs.h"

// The dialogs a user answers: message boxes, non-native file dialogs, the desktop's opener.
class QtUserDialogs : public UserDialogs
{
public:
    void showMessage(QWidget* owner, const QString& caption, const QString& text, MessageIcon icon) override;
    bool confirm(QWidget* owner, const QString& caption, const QString& text) override;
    bool ask(QWidget* owner, const QString& caption, const QString& text, const QString& yes,
             const QString& no) override;
    QString openFile(QWidget* owner, const FileDialogRequest& request) override;
    QString saveFile(QWidget* owner, const FileDialogRequest& request) override;
    bool openUrl(const QUrl& url) override;
    int execInsertDialog(TdlgIns& dialog) override;
    int execExportDialog(ExportDialog& dialog) override;
    std::unique_ptr<ProgressMonitor> startProgress(QWidget* owner, const QString& text, int total) override;
};
