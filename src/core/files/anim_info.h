#pragma once

#include "core/files/anim_kind.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

// What `vantrel-cli info` tells about one file.
struct AnimFileInfo
{
    QString file;
    AnimKind kind = AnimKind::Other;
    int result = 0;
    // Valid when result is 0: the records' count, the first record's geometry, the last
    // record's colour code (the one a load takes); geometry and code are 0 and -1 with no frame.
    int frames = 0;
    int width = 0;
    int height = 0;
    int bits = 0;
    int colorCode = -1;
    qint64 trailingBytes = 0; // after the last record, which a load ignores
};

// Reads and checks every record of the file without decoding its pixels.
AnimFileInfo inspectAnimFile(const QString& path);

// "FILE: nma, 3 frames, 160x54, 2 bits, colour code 63 (red 3, green 3, blue 3), check ok"
// or "FILE: error 3: <message>".
QString infoLine(const AnimFileInfo& info);

// One compact JSON object with the keys file, kind, frames, width, height, bits, colorCode,
// trailingBytes, result and message; values that don't apply are null.
QByteArray infoJson(const AnimFileInfo& info);

} // namespace vantrel
