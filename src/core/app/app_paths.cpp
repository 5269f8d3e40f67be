#include "core/app/app_paths.h"

#include "core/app/app_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vantrel {

QString catalogueFilePath(const QString& executablePath)
{
    const QFileInfo program(executablePath);
    return program.path() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".MSG");
}

AppPaths appPathsForExecutable(const QString& executablePath, const QString& configDir)
{
    const QFileInfo program(executablePath);
    const QString catalogue = catalogueFilePath(executablePath);
    const QDir installed(program.path() + QStringLiteral("/../share/vantrel"));
    const QString installedCatalogue = installed.filePath(QFileInfo(catalogue).fileName());
    if (QFileInfo::exists(catalogue) || !QFileInfo::exists(installedCatalogue))
        return AppPaths{settingsFilePath(executablePath), catalogue, program.path()};
    const QString config =
        configDir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : configDir;
    return AppPaths{QDir(config).filePath(program.completeBaseName() + QStringLiteral(".INI")),
                    QDir::cleanPath(installedCatalogue), QDir::cleanPath(installed.path())};
}

} // namespace vantrel
