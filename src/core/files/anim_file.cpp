#include "core/files/anim_file.h"

#include "core/app/atomic_save.h"
#include "core/files/anim_result.h"
#include "core/files/anim_writer.h"
#include "core/files/frame_record.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace vantrel {

QString animFileNameFor(const QString& path)
{
    if (animKindOf(path) == AnimKind::Other)
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype baseStart = slash + 1;
    qsizetype baseLength = dot - baseStart;
    if (baseLength <= MaxBaseNameLength)
        return path;
    baseLength = MaxBaseNameLength;
    if (path.at(baseStart + baseLength - 1).isHighSurrogate())
        --baseLength;
    return path.left(baseStart + baseLength) + path.mid(dot);
}

AnimKind TAnimFile::SetFileName(const QString& path)
{
    fileName_ = animFileNameFor(path);
    return animKindOf(fileName_);
}

AnimKind TAnimFile::SetExistingFileName(const QString& path)
{
    fileName_ = path;
    systemReason_ = QFileInfo::exists(path) ? QString() : qt_error_string(ENOENT);
    return animKindOf(fileName_);
}

int TAnimFile::ReadFrameCount()
{
    systemReason_.clear();
    switch (kind()) {
    case AnimKind::Frame:
        return 1;
    case AnimKind::Animation: {
        QFile file(fileName_);
        if (openAnimationFile(file, &systemReason_) != AnimOk)
            return 0;
        const int count = animationHeaderCount(file.read(AnimHeaderSize));
        return count < 0 ? 0 : count;
    }
    case AnimKind::Other:
        break;
    }
    return 0;
}

int TAnimFile::LoadFile(QList<QImage>& frames, int keepFrames, int* fileFrames)
{
    systemReason_.clear();
    AnimContents contents;
    if (const int result = readAnimationFile(fileName_, kind(), contents, keepFrames, &systemReason_);
        result != AnimOk)
        return result;
    if (fileFrames)
        *fileFrames = contents.frameCount();
    if (!contents.records.isEmpty()) {
        lastRecord_ = contents.records.last();
        colorCode_ = lastRecord_.colorCode;
    }
    frames = std::move(contents.frames);
    return AnimOk;
}

int TAnimFile::SaveFile(const QList<QImage>& frames)
{
    systemReason_.clear();
    const AnimKind fileKind = kind();
    if (fileKind == AnimKind::Other)
        return AnimCantOpen;
    // Everything is encoded before the file is touched, so a refused frame writes nothing.
    QByteArray bytes;
    if (const int result = encodeAnimation(fileKind, frames, static_cast<std::uint8_t>(colorCode_), bytes);
        result != AnimOk)
        return result;

    switch (saveBytesAtomically(fileName_, bytes, &systemReason_)) {
    case Saved:
        return AnimOk;
    case SaveCannotCreate:
        return AnimCantOpen;
    default:
        return AnimWriteFailed;
    }
}

} // namespace vantrel
