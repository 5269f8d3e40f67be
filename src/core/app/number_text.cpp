#include "core/app/number_text.h"

namespace vantrel {

bool IsEmptyText(const QString& text)
{
    return text.isEmpty();
}

bool IsAllDigits(const QString& text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool numberInRange(const QString& text, int min, int max, int* value)
{
    if (IsEmptyText(text) || !IsAllDigits(text))
        return false;
    bool ok = false;
    const int number = text.toInt(&ok);
    // A digit string too long for an int is no number in range.
    if (!ok || number < min || number > max)
        return false;
    if (value)
        *value = number;
    return true;
}

} // namespace vantrel
