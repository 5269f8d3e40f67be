#pragma once

#include <QStringView>

#include <optional>

namespace vantrel {

// A whole decimal int: optional sign, then ASCII digits only. Anything else, including values
// beyond the range of int, gives nothing.
std::optional<int> parseDecimal(QStringView text);

} // namespace vantrel
