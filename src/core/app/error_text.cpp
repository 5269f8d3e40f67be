#include "core/app/error_text.h"

namespace vantrel {

QString errorMessageText(const std::array<QString, 10>& errorTexts, int code)
{
    if (code < 0)
        return errorTexts[0];
    if (code <= 7)
        return errorTexts[static_cast<std::size_t>(code)];
    return QStringLiteral("Error:") + QString::number(code);
}

} // namespace vantrel
