#pragma once

#include <QString>

namespace vantrel {

// Where the window finds its settings and texts.
struct AppPaths
{
    QString settingsFile;
    QString catalogueFile;
    // The program's files (faceplate, help, local pages) and the default start folder of every
    // file dialog.
    QString programFolder;
    // The settings shipped with the program, which a user without settings of their own starts
    // from; no file there leaves the built-in defaults. Both may be left out where paths are made.
    QString defaultSettingsFile{};
    // Where input pictures are first looked for while the settings hold no folder for them; empty
    // for the program's folder.
    QString pictureFolder{};
    // Where the window keeps the recovery copy of its frames; empty for none.
    QString recoveryFolder{};
};

// The message catalogue: the program's path with its extension replaced by ".MSG".
QString catalogueFilePath(const QString& executablePath);

// Beside the program when its catalogue is there (a build or an unpacked copy); otherwise, for a
// program installed into PREFIX/bin whose files are in PREFIX/share/vantrel, that folder, with
// the settings in the user's configuration folder (configDir; the system's when empty) and the
// catalogue of the locale's language from lang/LANGUAGE/ when there is one (locale like "en_GB";
// the system's when empty). The shipped settings sit beside the catalogue as NAME.default.INI;
// an installed program looks for pictures in its samples first.
AppPaths appPathsForExecutable(const QString& executablePath, const QString& configDir = {},
                               const QString& locale = {});

// The file the settings are read from, and that the exit writes over again: the user's own, else
// the shipped settings (so the first exit writes a copy of them), else the user's missing file.
QString settingsFileToRead(const AppPaths& paths);

} // namespace vantrel
