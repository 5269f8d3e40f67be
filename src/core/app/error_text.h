#pragma once

#include <QString>

#include <array>

namespace vantrel {

// The error box's text for a result code: the catalogue's item for 0..7, item 0 for a negative
// code, "Error:" and the number for anything larger.
QString errorMessageText(const std::array<QString, 10>& errorTexts, int code);

} // namespace vantrel
