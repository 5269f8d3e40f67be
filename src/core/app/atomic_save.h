#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel {

enum SaveResult : int {
    Saved = 0,
    SaveCannotCreate = 1, // the temporary file beside the target can't be created
    SaveWriteFailed = 2,  // not every byte reached the disk; the old file is kept
};

// Writes the bytes to a temporary file beside `path` that replaces it only once every byte is
// on disk, so a failed save leaves the old file as it was. `reason` gets the system's reason
// for a failure.
int saveBytesAtomically(const QString& path, const QByteArray& bytes, QString* reason = nullptr);

} // namespace vantrel
