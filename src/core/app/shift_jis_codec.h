#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace vantrel {

// Shift-JIS as Windows writes it (code page 932), through the C library's iconv. Both directions
// fail as a whole rather than guess: an invalid or incomplete byte sequence, or a character the
// code page lacks, gives nothing.
std::optional<QString> decodeShiftJis(const QByteArray& bytes);
std::optional<QByteArray> encodeShiftJis(QStringView text);

} // namespace vantrel
