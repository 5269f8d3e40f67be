#pragma once

#include <QString>

namespace vantrel {

// The checks every number edit applies before converting its text.
bool IsEmptyText(const QString& text);
bool IsAllDigits(const QString& text); // true for the empty text

// The number a number edit holds when it is non-empty, all digits and within min..max.
bool numberInRange(const QString& text, int min, int max, int* value = nullptr);

} // namespace vantrel
