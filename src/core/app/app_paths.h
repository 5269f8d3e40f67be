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
};

// The message catalogue: the program's path with its extension replaced by ".MSG".
QString catalogueFilePath(const QString& executablePath);

// Beside the program when its catalogue is there (a build or an unpacked copy); otherwise, for a
// program installed into PREFIX/bin whose files are in PREFIX/share/vantrel, that folder, with
// the settings in the user's configuration folder (configDir; the system's when empty) and the
// catalogue of the locale's language from lang/LANGUAGE/ when there is one (locale like "en_GB";
// the system's when empty).
AppPaths appPathsForExecutable(const QString& executablePath, const QString& configDir = {},
                               const QString& locale = {});

} // namespace vantrel
