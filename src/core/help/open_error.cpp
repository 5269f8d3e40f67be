#include "core/help/open_error.h"

#include <QDir>

namespace vantrel {

QString openErrorText(OpenError error, const QUrl& target, const QString& noApplication)
{
    const QString number = QStringLiteral("Error:") + QString::number(static_cast<int>(error));
    if (error != OpenError::NoApplication || noApplication.isEmpty())
        return number;
    // A file by its path as the user knows it, an address as it was written.
    const QString name =
        target.isLocalFile() ? QDir::toNativeSeparators(target.toLocalFile()) : target.toString();
    return number + QLatin1Char('\n') + noApplication.arg(name);
}

} // namespace vantrel
