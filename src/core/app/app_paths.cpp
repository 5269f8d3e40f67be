#include "core/app/app_paths.h"

#include "core/app/app_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace vantrel {

QString catalogueFilePath(const QString& executablePath)
{
    const QFileInfo program(executablePath);
    return program.path() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".MSG");
}

AppPaths appPathsForExecutable(const QString& executablePath, const QString& configDir, const QString& locale)
{
    const QFileInfo program(executablePath);
    const QString catalogue = catalogueFilePath(executablePath);
    const QString defaults = program.completeBaseName() + QStringLiteral(".default.INI");
    const QDir installed(program.path() + QStringLiteral("/../share/vantrel"));
    const QString installedCatalogue = installed.filePath(QFileInfo(catalogue).fileName());
    if (QFileInfo::exists(catalogue) || !QFileInfo::exists(installedCatalogue))
        return AppPaths{settingsFilePath(executablePath), catalogue, program.path(),
                        QDir(program.path()).filePath(defaults), QString()};
    const QString config =
        configDir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : configDir;
    // An installed program speaks the user's language when a catalogue of it came along.
    const QString language =
        (locale.isEmpty() ? QLocale::system().name() : locale).section(QLatin1Char('_'), 0, 0);
    const QString translated =
        installed.filePath(QStringLiteral("lang/%1/").arg(language) + QFileInfo(catalogue).fileName());
    const QString samples = installed.filePath(QStringLiteral("samples"));
    return AppPaths{QDir(config).filePath(program.completeBaseName() + QStringLiteral(".INI")),
                    QDir::cleanPath(!language.isEmpty() && QFileInfo::exists(translated)
                                        ? translated
                                        : installedCatalogue),
                    QDir::cleanPath(installed.path()), QDir::cleanPath(installed.filePath(defaults)),
                    QFileInfo(samples).isDir() ? QDir::cleanPath(samples) : QString()};
}

QString settingsFileToRead(const AppPaths& paths)
{
    if (QFileInfo::exists(paths.settingsFile) || paths.defaultSettingsFile.isEmpty() ||
        !QFileInfo::exists(paths.defaultSettingsFile))
        return paths.settingsFile;
    return paths.defaultSettingsFile;
}

} // namespace vantrel
