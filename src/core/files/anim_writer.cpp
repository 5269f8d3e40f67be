#include "core/files/anim_writer.h"

#include "core/files/anim_result.h"
#include "core/files/frame_record.h"
#include "core/imaging/bitmap.h"

namespace vantrel {

namespace {

bool fitsRecord(const QImage& frame)
{
    return frame.width() >= 1 && frame.width() <= MaxRecordSide && frame.height() >= 1 &&
           frame.height() <= MaxRecordSide;
}

} // namespace

int firstFrameOfOtherSize(const QList<QImage>& frames)
{
    for (qsizetype i = 1; i < frames.size(); ++i) {
        if (frames[i].size() != frames.first().size())
            return static_cast<int>(i);
    }
    return -1;
}

int encodeAnimation(AnimKind kind, const QList<QImage>& frames, std::uint8_t colorCode, QByteArray& out)
{
    if (kind == AnimKind::Other)
        return AnimCantOpen;
    const qsizetype count = kind == AnimKind::Frame ? 1 : frames.size();
    if (count > 0xFFFF)
        return AnimFrameGeometry;

    QByteArray bytes;
    if (kind == AnimKind::Animation) {
        bytes.append('n');
        bytes.append('a');
        bytes.append(static_cast<char>(count >> 8));
        bytes.append(static_cast<char>(count & 0xFF));
        if (count == 0) {
            out = bytes;
            return AnimOk;
        }
    }
    if (frames.isEmpty())
        return AnimBadDepth; // a one-frame file with no frame to hold

    // Geometry is taken once, from the first frame; the others must match it.
    const QImage& first = frames.first();
    const int bits = bitmapBits(first);
    if (!isRecordBits(bits))
        return AnimBadDepth;
    if (!fitsRecord(first))
        return AnimFrameGeometry;
    for (qsizetype i = 1; i < count; ++i) {
        if (bitmapBits(frames[i]) != bits || frames[i].size() != first.size())
            return AnimFrameGeometry;
    }

    bytes.reserve(bytes.size() +
                  count * (FrameHeaderSize + pixelByteCount(first.width(), first.height(), bits)));
    for (qsizetype i = 0; i < count; ++i)
        appendFrameRecord(bytes, frames[i], bits, colorCode);
    out = bytes;
    return AnimOk;
}

} // namespace vantrel
