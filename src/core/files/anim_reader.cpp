#include "core/files/anim_reader.h"

#include "core/files/anim_result.h"
#include "core/files/frame_record.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace vantrel {

namespace {

bool readExactly(QIODevice& device, std::uint8_t* to, qint64 size)
{
    return device.read(reinterpret_cast<char*>(to), size) == size;
}

} // namespace

int animationHeaderCount(const QByteArray& firstBytes)
{
    if (firstBytes.size() < AnimHeaderSize || firstBytes[0] != 'n' || firstBytes[1] != 'a')
        return -1;
    const auto* b = reinterpret_cast<const std::uint8_t*>(firstBytes.constData());
    return (b[2] << 8) | b[3];
}

int readAnimation(QIODevice& device, AnimKind kind, AnimContents& out, int keepFrames)
{
    if (kind == AnimKind::Other || !device.isOpen() || !device.isReadable())
        return AnimCantOpen;
    if (device.isSequential() || device.size() < 0)
        return AnimSizeUnknown;
    const qint64 end = device.size();
    auto remaining = [&] { return end - device.pos(); };

    int count = 1;
    if (kind == AnimKind::Animation) {
        QByteArray header(AnimHeaderSize, '\0');
        if (remaining() < AnimHeaderSize ||
            !readExactly(device, reinterpret_cast<std::uint8_t*>(header.data()), AnimHeaderSize))
            return AnimDamaged;
        count = animationHeaderCount(header);
        if (count < 0)
            return AnimDamaged;
    }

    AnimContents contents;
    const int keep = keepFrames < 0 ? count : std::min(keepFrames, count);
    // A record takes at least 10 bytes: never reserve for records the file can't hold.
    const auto fitting = static_cast<int>(std::min<qint64>(count, remaining() / (FrameHeaderSize + 1)));
    contents.records.reserve(fitting);
    contents.frames.reserve(std::min(keep, fitting));

    QByteArray record; // header and pixel bytes of one record, sized for that record
    for (int i = 0; i < count; ++i) {
        if (remaining() < FrameHeaderSize)
            return AnimDamaged;
        record.resize(FrameHeaderSize);
        auto* bytes = reinterpret_cast<std::uint8_t*>(record.data());
        if (!readExactly(device, bytes, FrameHeaderSize))
            return AnimDamaged;
        FrameHeader header;
        if (const int result = parseFrameHeader(bytes, header); result != AnimOk)
            return result;

        // Header bytes beyond the nine known ones are skipped, but they still count in the check.
        const qint64 headerLength = header.headerLength;
        const qint64 pixelBytes = pixelByteCount(header.width, header.height, header.bits);
        const qint64 rest = headerLength - FrameHeaderSize + pixelBytes;
        if (remaining() < rest)
            return AnimDamaged;
        record.resize(headerLength + pixelBytes);
        bytes = reinterpret_cast<std::uint8_t*>(record.data());
        if (!readExactly(device, bytes + FrameHeaderSize, rest))
            return AnimDamaged;
        if (xorOf(bytes, record.size()) != 0xFF)
            return AnimCheckFailed;

        contents.records.append({header.width, header.height, header.bits, header.colorCode});
        if (i < keep) {
            QImage frame = decodeFramePixels(bytes + headerLength, header.width, header.height, header.bits);
            if (frame.isNull())
                return AnimDamaged; // out of memory for a 256 x 256 bitmap at most
            contents.frames.append(std::move(frame));
        }
    }
    contents.trailingBytes = remaining();
    out = std::move(contents);
    return AnimOk;
}

int readAnimation(const QByteArray& bytes, AnimKind kind, AnimContents& out, int keepFrames)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return AnimCantOpen;
    return readAnimation(buffer, kind, out, keepFrames);
}

int openAnimationFile(QFile& file, QString* reason)
{
    auto fail = [&](int code, const QString& why) {
        if (reason)
            *reason = why;
        return code;
    };
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile() && !info.isDir())
        return fail(AnimSizeUnknown, QString());
    if (info.isDir())
        return fail(AnimCantOpen, qt_error_string(EISDIR));
    if (!file.open(QIODevice::ReadOnly))
        return fail(AnimCantOpen, file.errorString());
    return AnimOk;
}

int readAnimationFile(const QString& path, AnimKind kind, AnimContents& out, int keepFrames, QString* reason)
{
    if (kind == AnimKind::Other)
        return AnimCantOpen;
    QFile file(path);
    if (const int result = openAnimationFile(file, reason); result != AnimOk)
        return result;
    return readAnimation(file, kind, out, keepFrames);
}

} // namespace vantrel
