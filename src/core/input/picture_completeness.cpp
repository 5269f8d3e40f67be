#include "core/input/picture_completeness.h"

#include <QtEndian>

#include <cstring>

namespace vantrel {

namespace {

// Sequential bytes in blocks, with skips that seek past what the buffer holds.
class ByteStream
{
public:
    explicit ByteStream(QIODevice& device) : device_(device) { device_.seek(0); }

    bool next(uchar& byte)
    {
        if (at_ == buffer_.size() && !refill())
            return false;
        byte = uchar(buffer_[at_++]);
        return true;
    }

    // Moves just past the next occurrence of the byte.
    bool passByte(uchar wanted)
    {
        for (;;) {
            if (at_ == buffer_.size() && !refill())
                return false;
            const char* start = buffer_.constData() + at_;
            const void* found = std::memchr(start, wanted, size_t(buffer_.size() - at_));
            if (found) {
                at_ += static_cast<const char*>(found) - start + 1;
                return true;
            }
            at_ = buffer_.size();
        }
    }

    bool skip(qint64 count)
    {
        const qint64 buffered = buffer_.size() - at_;
        if (count <= buffered) {
            at_ += count;
            return true;
        }
        const qint64 target = device_.pos() + (count - buffered);
        buffer_.clear();
        at_ = 0;
        return target <= device_.size() && device_.seek(target);
    }

private:
    bool refill()
    {
        buffer_ = device_.read(BlockSize);
        at_ = 0;
        return !buffer_.isEmpty();
    }

    static constexpr qint64 BlockSize = 64 * 1024;
    QIODevice& device_;
    QByteArray buffer_;
    qsizetype at_ = 0;
};

bool isRestartMarker(uchar marker)
{
    return marker >= 0xD0 && marker <= 0xD7;
}

// Walks marker segments and entropy-coded scans up to the end-of-image marker; data after it
// (appended by some cameras) is not looked at.
bool jpegReachesEnd(QIODevice& device)
{
    ByteStream stream(device);
    uchar byte = 0;
    if (!stream.next(byte) || byte != 0xFF || !stream.next(byte) || byte != 0xD8)
        return false;
    for (;;) {
        // Scan data and stray bytes run up to the next 0xFF; 0xFF 0x00 is a data byte.
        if (!stream.passByte(0xFF))
            return false;
        do { // 0xFF fill bytes
            if (!stream.next(byte))
                return false;
        } while (byte == 0xFF);
        if (byte == 0x00 || isRestartMarker(byte) || byte == 0x01) // no length follows
            continue;
        if (byte == 0xD9)
            return true;
        uchar high = 0, low = 0;
        if (!stream.next(high) || !stream.next(low))
            return false;
        const qint64 length = (qint64(high) << 8) | low;
        if (length < 2 || !stream.skip(length - 2))
            return false;
    }
}

// Uncompressed bitmaps must hold every row the header announces.
bool bmpHoldsAllRows(QIODevice& device)
{
    device.seek(0);
    const QByteArray header = device.read(34);
    if (header.size() < 26)
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    const qint64 pixelOffset = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + 14);
    qint64 width = 0, height = 0, bitsPerPixel = 0;
    if (infoSize == 12) { // OS/2 header, never compressed
        width = qFromLittleEndian<quint16>(bytes + 18);
        height = qFromLittleEndian<quint16>(bytes + 20);
        bitsPerPixel = qFromLittleEndian<quint16>(bytes + 24);
    } else {
        if (header.size() < 34)
            return false;
        constexpr quint32 Rgb = 0, BitFields = 3, AlphaBitFields = 6;
        const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
        if (compression != Rgb && compression != BitFields && compression != AlphaBitFields)
            return true;
        width = qAbs(qint64(qFromLittleEndian<qint32>(bytes + 18)));
        height = qAbs(qint64(qFromLittleEndian<qint32>(bytes + 22)));
        bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    }
    const qint64 available = device.size() - pixelOffset;
    if (available < 0 || bitsPerPixel > 64)
        return false;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return height == 0 || rowBytes <= available / height; // rowBytes × height would overflow
}

} // namespace

bool pictureDataComplete(const QByteArray& format, QIODevice& device)
{
    if (format == "jpeg")
        return jpegReachesEnd(device);
    if (format == "bmp")
        return bmpHoldsAllRows(device);
    return true;
}

} // namespace vantrel
