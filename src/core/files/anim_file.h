#pragma once

#include "core/files/anim_kind.h"
#include "core/files/anim_reader.h"

#include <QImage>
#include <QList>
#include <QString>

namespace vantrel {

inline constexpr int MaxBaseNameLength = 122;

// The panel animation file the window reads and writes: a file name, the colour code to
// write or last read, and the geometry of the last record read.
class TAnimFile
{
public:
    // Sets the file for the next load or save and returns its kind. For .nml and .nma (any
    // case) the base name is cut to its first 122 characters, never inside a surrogate pair;
    // for any other extension the path is kept as given and the result is AnimKind::Other,
    // which makes the next load or save fail with AnimCantOpen.
    AnimKind SetFileName(const QString& path);
    // Sets an existing file for the next load under the name it has, however long; a missing
    // file is noted in systemReason().
    AnimKind SetExistingFileName(const QString& path);
    const QString& fileName() const { return fileName_; }
    AnimKind kind() const { return animKindOf(fileName_); }

    // 1 for a .nml (the file is not opened); the header's count for a .nma; 0 when the .nma
    // can't be opened, is shorter than its header or doesn't start with one, or for another
    // extension.
    int ReadFrameCount();

    // Reads every record of the file and decodes the first `keepFrames`. On success `frames`
    // is replaced and colorCode() becomes the last record's colour code; on failure nothing
    // changes. `fileFrames`, when given, gets the number of records in the file.
    int LoadFile(QList<QImage>& frames, int keepFrames = AllFrames, int* fileFrames = nullptr);

    // Writes the frames (the first alone for a .nml) with colorCode(). The bytes go to a
    // temporary file beside the target that replaces it only when complete: a failed save
    // leaves the old file as it was and writes nothing for a frame the format can't hold.
    int SaveFile(const QList<QImage>& frames);

    // The operating system's reason for the last failed load, save or count, when it gave one.
    const QString& systemReason() const { return systemReason_; }

    int colorCode() const { return colorCode_; }
    void setColorCode(int code) { colorCode_ = code & 0xFF; }

    // Of the last record read; 0 before any.
    int recordWidth() const { return lastRecord_.width; }
    int recordHeight() const { return lastRecord_.height; }
    int recordBits() const { return lastRecord_.bits; }

private:
    QString fileName_;
    QString systemReason_;
    int colorCode_ = 63;
    FrameRecordInfo lastRecord_;
};

// The base name of a .nml or .nma path cut as SetFileName cuts it; other paths unchanged.
QString animFileNameFor(const QString& path);

} // namespace vantrel
