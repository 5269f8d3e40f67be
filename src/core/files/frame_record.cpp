#include "core/files/frame_record.h"

#include "core/files/anim_result.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <vector>

namespace vantrel {

namespace {

// The levels a stored (complemented) pixel byte holds, leftmost first, for each byte value.
using StoredByteLevels = std::array<std::array<uchar, 8>, 256>;

StoredByteLevels makeStoredByteLevels(int bits)
{
    StoredByteLevels table{};
    const int mask = (1 << bits) - 1;
    for (int stored = 0; stored < 256; ++stored) {
        const int packed = ~stored & 0xFF;
        for (int i = 0; i < 8 / bits; ++i)
            table[stored][i] = static_cast<uchar>((packed >> (8 - bits * (i + 1))) & mask);
    }
    return table;
}

const StoredByteLevels& storedByteLevels(int bits)
{
    static const std::array<StoredByteLevels, 4> tables{makeStoredByteLevels(1), makeStoredByteLevels(2),
                                                        makeStoredByteLevels(4), makeStoredByteLevels(8)};
    return tables[bits == 1 ? 0 : bits == 2 ? 1 : bits == 4 ? 2 : 3];
}

// One row of stored bytes to levels; a fixed count per byte lets the copies be plain moves.
template <int PerByte>
void unpackRow(const std::uint8_t* row, uchar* out, int width, const StoredByteLevels& unpack)
{
    int x = 0;
    for (; x + PerByte <= width; x += PerByte, ++row)
        std::copy_n(unpack[*row].begin(), PerByte, out + x);
    for (int k = 0; x + k < width; ++k)
        out[x + k] = unpack[*row][k];
}

} // namespace

int LevelBits(int n)
{
    if (n > 256)
        return 9;
    int bits = 0;
    while ((1 << bits) < n)
        ++bits;
    return bits;
}

bool isRecordBits(int bits)
{
    return bits == 1 || bits == 2 || bits == 4 || bits == 8;
}

int ExpandLevel(int level, int bits)
{
    if (!isRecordBits(bits))
        return 0;
    return level * (255 / ((1 << bits) - 1));
}

int QuantizeLevel(int value, int bits)
{
    if (!isRecordBits(bits))
        return 0;
    return std::clamp(value, 0, 255) / (256 >> bits);
}

int rowBytes(int width, int bits)
{
    return (width * bits + 7) / 8;
}

int pixelByteCount(int width, int height, int bits)
{
    return rowBytes(width, bits) * height;
}

int parseFrameHeader(const std::uint8_t* header, FrameHeader& out)
{
    if (header[0] != 'n' || header[1] != 'm' || header[2] < FrameHeaderSize)
        return AnimDamaged;
    const int bits = LevelBits(header[7] + 1);
    if (!isRecordBits(bits))
        return AnimBadDepth;
    out.headerLength = header[2];
    out.width = header[5] + 1;
    out.height = header[6] + 1;
    out.bits = bits;
    out.colorCode = header[8];
    return AnimOk;
}

std::uint8_t xorOf(const std::uint8_t* bytes, qsizetype size)
{
    std::uint8_t x = 0;
    for (qsizetype i = 0; i < size; ++i)
        x ^= bytes[i];
    return x;
}

QImage decodeFramePixels(const std::uint8_t* pixels, int width, int height, int bits)
{
    QImage frame(width, height, QImage::Format_Indexed8);
    if (frame.isNull())
        return {};
    const int levels = 1 << bits;
    QList<QRgb> table(levels);
    for (int k = 0; k < levels; ++k) {
        const int grey = ExpandLevel(k, bits);
        table[k] = qRgb(grey, grey, grey);
    }
    frame.setColorTable(table);

    const StoredByteLevels& unpack = storedByteLevels(bits);
    const int stride = rowBytes(width, bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + static_cast<qsizetype>(y) * stride;
        uchar* out = frame.scanLine(y);
        switch (bits) {
        case 1:
            unpackRow<8>(row, out, width, unpack);
            break;
        case 2:
            unpackRow<4>(row, out, width, unpack);
            break;
        case 4:
            unpackRow<2>(row, out, width, unpack);
            break;
        default:
            unpackRow<1>(row, out, width, unpack);
            break;
        }
    }
    return frame;
}

void rowLevels(const QImage& frame, int y, int bits, uchar* levels)
{
    const int width = frame.width();
    const int top = (1 << bits) - 1;
    const uchar* in = frame.constScanLine(y);
    switch (frame.format()) {
    case QImage::Format_Indexed8:
        for (int x = 0; x < width; ++x)
            levels[x] = static_cast<uchar>(std::min<int>(in[x], top));
        break;
    case QImage::Format_Grayscale8:
        for (int x = 0; x < width; ++x)
            levels[x] = static_cast<uchar>(in[x] >> (8 - bits));
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        for (int x = 0; x < width; ++x)
            levels[x] = static_cast<uchar>(std::min(frame.pixelIndex(x, y), top));
        break;
    default:
        for (int x = 0; x < width; ++x)
            levels[x] = static_cast<uchar>(QuantizeLevel(qBlue(frame.pixel(x, y)), bits));
        break;
    }
}

void appendFrameRecord(QByteArray& out, const QImage& frame, int bits, std::uint8_t colorCode)
{
    const int width = frame.width();
    const int height = frame.height();
    const qsizetype start = out.size();
    const qsizetype size = FrameHeaderSize + pixelByteCount(width, height, bits);
    out.resize(start + size);
    auto* record = reinterpret_cast<std::uint8_t*>(out.data() + start);

    record[0] = 'n';
    record[1] = 'm';
    record[2] = FrameHeaderSize;
    record[3] = 0;
    record[4] = colorCode;
    record[5] = static_cast<std::uint8_t>(width - 1);
    record[6] = static_cast<std::uint8_t>(height - 1);
    record[7] = static_cast<std::uint8_t>((1 << bits) - 1);
    record[8] = colorCode;

    // Unused low bits of a row's last byte are packed as level 0.
    const int perByte = 8 / bits;
    std::vector<uchar> levels(static_cast<std::size_t>(rowBytes(width, bits) * perByte), 0);
    std::uint8_t* pixel = record + FrameHeaderSize;
    for (int y = 0; y < height; ++y) {
        rowLevels(frame, y, bits, levels.data());
        for (std::size_t x0 = 0; x0 < levels.size(); x0 += static_cast<std::size_t>(perByte)) {
            int packed = 0;
            for (int i = 0; i < perByte; ++i)
                packed = (packed << bits) | levels[x0 + static_cast<std::size_t>(i)];
            *pixel++ = static_cast<std::uint8_t>(~packed);
        }
    }
    record[3] = static_cast<std::uint8_t>(~xorOf(record, size));
}

} // namespace vantrel
