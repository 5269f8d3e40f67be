#include "core/app/error_text.h"

namespace vantrel {

QString errorMessageText(const ErrorTexts& errorTexts, int code)
{
    if (code < 0)
        return errorTexts[0];
    if (code <= 7)
        return errorTexts[static_cast<std::size_t>(code)];
    return QStringLiteral("Error:") + QString::number(code);
}

QString errorItemText(const ErrorTexts& errorTexts, ErrorItem item)
{
    return errorTexts[static_cast<std::size_t>(item)];
}

} // namespace vantrel
