#include "core/app/app_paths.h"

#include "core/app/app_settings.h"

#include <QFileInfo>

namespace vantrel {

QString catalogueFilePath(const QString& executablePath)
{
    const QFileInfo program(executablePath);
    return program.path() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".MSG");
}

AppPaths appPathsForExecutable(const QString& executablePath)
{
    return AppPaths{settingsFilePath(executablePath), catalogueFilePath(executablePath),
                    QFileInfo(executablePath).path()};
}

} // namespace vantrel
