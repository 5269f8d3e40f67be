#pragma once

#include <QString>
#include <QUrl>

namespace vantrel {

// Kept at the values of the shell's "open": the error box shows the number itself.
enum class OpenError { FileNotFound = 2, NoApplication = 31 };

// "Error:" and the number; when nothing opens the target, a second line from the catalogue's
// text with %1 the file or address, unless the catalogue has none.
QString openErrorText(OpenError error, const QUrl& target, const QString& noApplication);

} // namespace vantrel
