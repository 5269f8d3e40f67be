#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <cstdint>

namespace vantrel {

// Result codes of reading a recovery copy.
enum class RecoveryResult : int {
    Ok = 0,
    NotACopy = 1,    // not a recovery copy of this program, or of a later version
    Damaged = 2,     // cut short or changed: its sizes or compressed frames do not check out
    LargerPanel = 3, // its frames are larger than the panel the program has today
};

// What a recovery copy keeps of the output store: the colour frames (24-bit) and the mono
// frames (their levels 0..3), the backlight colour code and the panel size of every frame.
struct RecoveryContents
{
    QList<QImage> colour;
    QList<QImage> mono;
    std::uint8_t colorCode = 0x3F;
    QSize panelSize;
};

// The copy's bytes: a header, then the frames compressed (zlib, which also checks them when
// read). Empty when there are no frames, or the lists disagree in count or size.
QByteArray writeRecoveryCopy(const RecoveryContents& contents);

// Reads a copy made by writeRecoveryCopy; `out` is replaced only on Ok. Mono frames come back
// indexed with the mono palette. A copy of frames larger than `largestPanel` is refused before
// anything is decompressed.
RecoveryResult readRecoveryCopy(const QByteArray& bytes, QSize largestPanel, RecoveryContents& out);

// Where recovery copies live: $XDG_STATE_HOME/vantrel when that is set and absolute, else
// ~/.local/state/vantrel.
QString recoveryFolder(const QString& xdgStateHome, const QString& home);

} // namespace vantrel
