#pragma once

#include "ui/app/user_dialogs.h"

#include <deque>
#include <vector>

// Answers the window's dialogs from a script and records everything that was shown.
// An unscripted confirmation answers Cancel and an unscripted file dialog is cancelled.
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
    std::deque<QString> fileAnswers;
    bool openUrlResult = true;

    std::vector<Message> messages;
    std::vector<Confirmation> confirmations;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<QUrl> openedUrls;

    void showMessage(QWidget*, const QString& caption, const QString& text, MessageIcon icon) override
    {
        messages.push_back({caption, text, icon});
    }

    bool confirm(QWidget*, const QString& caption, const QString& text) override
    {
        confirmations.push_back({caption, text});
        return next(confirmAnswers, false);
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
