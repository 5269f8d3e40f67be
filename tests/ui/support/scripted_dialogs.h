#pragma once

#include "ui/app/user_dialogs.h"
#include "ui/files/export_dialog.h"
#include "ui/input/tdlg_ins.h"

#include <QLabel>
#include <QRadioButton>

#include <deque>
#include <optional>
#include <vector>

// Answers the window's dialogs from a script and records everything that was shown.
// An unscripted confirmation answers Cancel, an unscripted file dialog is cancelled and an
// unscripted insert-position dialog is answered with OK on its preselected choice.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Message
    {
        QString caption;
        QString text;
        MessageIcon icon;
    };
    struct Confirmation
    {
        QString caption;
        QString text;
    };

    std::deque<bool> confirmAnswers;
    std::deque<bool> askAnswers; // unscripted: the default answer, yes
    std::deque<QString> fileAnswers;
    bool openUrlResult = true;
    int cancelProgressAt = -1; // the step at which the user presses Cancel; -1 never
    // 1 before, 2 after (through the dialog's own radio buttons and OK), 0 its close button.
    std::deque<int> insertAnswers;
    // The export dialog's choices, OK'd; nullopt cancels. Unscripted: OK on what it shows.
    std::deque<std::optional<vantrel::ExportChoices>> exportAnswers;

    std::vector<Message> messages;
    std::vector<Confirmation> confirmations;
    std::vector<Confirmation> questions;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<QUrl> openedUrls;
    std::vector<QString> insertDialogCounts; // Label2 of each insert-position dialog shown
    std::vector<QString> progressTexts;
    std::vector<vantrel::ExportChoices> exportDialogsShown; // what each export dialog showed first

    void showMessage(QWidget*, const QString& caption, const QString& text, MessageIcon icon) override
    {
        messages.push_back({caption, text, icon});
    }

    bool confirm(QWidget*, const QString& caption, const QString& text) override
    {
        confirmations.push_back({caption, text});
        return next(confirmAnswers, false);
    }

    bool ask(QWidget*, const QString& caption, const QString& text, const QString&, const QString&) override
    {
        questions.push_back({caption, text});
        return next(askAnswers, true);
    }

    QString openFile(QWidget*, const FileDialogRequest& request) override
    {
        openRequests.push_back(request);
        return next(fileAnswers, QString());
    }

    QString saveFile(QWidget*, const FileDialogRequest& request) override
    {
        saveRequests.push_back(request);
        return next(fileAnswers, QString());
    }

    bool openUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return openUrlResult;
    }

    int execInsertDialog(TdlgIns& dialog) override
    {
        insertDialogCounts.push_back(dialog.findChild<QLabel*>(QStringLiteral("Label2"))->text());
        const int answer = next(insertAnswers, int{vantrel::InsertAfter});
        if (answer == vantrel::InsertCancelled) {
            // As the window's close button does: a hidden dialog takes no close.
            dialog.show();
            dialog.close();
        } else {
            const char* choice = answer == vantrel::InsertBefore ? "rbPos1" : "rbPos2";
            dialog.findChild<QRadioButton*>(QLatin1String(choice))->setChecked(true);
            dialog.btnOKClick();
        }
        return dialog.result();
    }

    int execExportDialog(ExportDialog& dialog) override
    {
        exportDialogsShown.push_back(dialog.choices());
        const std::optional<vantrel::ExportChoices> answer = next(exportAnswers, {dialog.choices()});
        if (!answer)
            return QDialog::Rejected;
        dialog.setChoices(*answer);
        return QDialog::Accepted;
    }

    std::unique_ptr<ProgressMonitor> startProgress(QWidget*, const QString& text, int) override
    {
        progressTexts.push_back(text);
        struct Monitor : ProgressMonitor
        {
            int cancelAt;
            explicit Monitor(int at) : cancelAt(at) {}
            bool advance(int done) override { return done != cancelAt; }
        };
        return std::make_unique<Monitor>(cancelProgressAt);
    }

private:
    template <typename T> static T next(std::deque<T>& answers, T unscripted)
    {
        if (answers.empty())
            return unscripted;
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};
