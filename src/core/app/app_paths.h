#pragma once

#include <QString>

namespace vantrel {

// Where the window finds its settings and texts.
struct AppPaths
{
    QString settingsFile;
    QString catalogueFile;
    QString programFolder; // default start folder of every file dialog
};

// The message catalogue: the program's path with its extension replaced by ".MSG".
QString catalogueFilePath(const QString& executablePath);

AppPaths appPathsForExecutable(const QString& executablePath);

} // namespace vantrel
