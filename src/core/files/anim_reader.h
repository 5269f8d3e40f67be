#pragma once

#include "core/files/anim_kind.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QImage>
#include <QList>

namespace vantrel {

// What one frame record says about its frame.
struct FrameRecordInfo
{
    int width = 0;
    int height = 0;
    int bits = 0;
    int colorCode = 0;
};

// A panel animation file as read: every record's geometry and, for the first frames asked
// for, the frame itself (indexed, colour table of the 2^bits greys ExpandLevel, pixel = level).
struct AnimContents
{
    QList<FrameRecordInfo> records;
    QList<QImage> frames;
    qint64 trailingBytes = 0; // after the last record; a load ignores them

    int frameCount() const { return static_cast<int>(records.size()); }
    // The colour code of the last record, which is the one a load keeps; -1 with no record.
    int lastColorCode() const { return records.isEmpty() ? -1 : records.last().colorCode; }
};

inline constexpr int AllFrames = -1;

// Reads the device from its current position to the end as a file of the given kind. Every
// record is read and checked; only the first `keepFrames` are decoded (AllFrames: all), so a
// caller that needs a few frames or none pays for those alone. `out` is replaced only when
// the result is 0. Bytes after the last record are ignored. Never reads past the device's end
// and never allocates for more than the bytes that remain.
int readAnimation(QIODevice& device, AnimKind kind, AnimContents& out, int keepFrames = AllFrames);
int readAnimation(const QByteArray& bytes, AnimKind kind, AnimContents& out, int keepFrames = AllFrames);

// The same for a file. A path that is no regular file gives AnimCantOpen for a folder and
// AnimSizeUnknown for a pipe, socket or device, which is never opened (a pipe would block).
// `reason` gets the system's reason when the file can't be opened.
int readAnimationFile(const QString& path, AnimKind kind, AnimContents& out, int keepFrames = AllFrames,
                      QString* reason = nullptr);

// Opens a regular file for reading; the result code of the failure otherwise, with the
// system's reason in `reason`.
int openAnimationFile(QFile& file, QString* reason = nullptr);

// The frame count an animation header announces; -1 when the bytes don't start with one.
int animationHeaderCount(const QByteArray& firstBytes);

} // namespace vantrel
