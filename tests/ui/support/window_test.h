#pragma once

#include "ui/app/tform1.h"
#include "ui/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// The catalogues the project ships.
QString japaneseCatalogue();
QString englishCatalogue();

// A window on settings and a catalogue in a fresh folder, with scripted dialogs.
class WindowTest : public ::testing::Test
{
protected:
    WindowTest();

    QString settingsPath() const { return folder_.filePath(QStringLiteral("vantrel.INI")); }
    QString cataloguePath() const { return folder_.filePath(QStringLiteral("vantrel.MSG")); }
    // The shipped settings' place; none is there unless a test puts one.
    QString defaultSettingsPath() const { return folder_.filePath(QStringLiteral("vantrel.default.INI")); }
    QString folderPath() const { return folder_.path(); }

    void writeSettings(const QByteArray& text) const { writeFile(settingsPath(), text); }
    void writeCatalogue(const QByteArray& text) const { writeFile(cataloguePath(), text); }
    void useCatalogue(const QString& shipped) const;
    static void writeFile(const QString& path, const QByteArray& bytes);
    QByteArray settingsText() const;

    // Creates the window anew (dropping any earlier one) on the current files.
    TForm1& open(std::optional<QString> settingsFile = std::nullopt);
    // Where windows opened from now on keep their recovery copies; none while empty.
    QString recoveryFolder;
    TForm1& window() { return *window_; }
    ScriptedDialogs& dialogs() { return *dialogs_; }

    template <typename T> T* control(const char* name)
    {
        T* found = window_->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

private:
    QTemporaryDir folder_;
    std::unique_ptr<TForm1> window_;
    ScriptedDialogs* dialogs_ = nullptr;
};
