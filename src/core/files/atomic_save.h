#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel {

// Writes the bytes to a temporary file beside `path` that replaces it only once every byte is
// on disk, so a failed save leaves the old file as it was. Returns AnimOk, AnimCantOpen (the
// file can't be created) or AnimWriteFailed; `reason` gets the system's reason for a failure.
int saveBytesAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

// The system's text for the last failed call, for errors Qt reports as unknown.
QString systemErrorText();

} // namespace vantrel
