#pragma once

#include "core/files/frame_record.h"

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace vantrel::test {

// An indexed frame as a file load gives it: colour table of the 2^bits greys, pixel = level.
inline QImage levelFrame(int width, int height, int bits, const std::function<int(int, int)>& level)
{
    QImage frame(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int k = 0; k < (1 << bits); ++k)
        table.append(qRgb(ExpandLevel(k, bits), ExpandLevel(k, bits), ExpandLevel(k, bits)));
    frame.setColorTable(table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.setPixel(x, y, static_cast<uint>(level(x, y)));
    return frame;
}

// Levels that differ from pixel to pixel and from frame to frame.
inline QImage patternFrame(int width, int height, int bits, int seed = 0)
{
    const int levels = 1 << bits;
    return levelFrame(width, height, bits, [=](int x, int y) { return (x * 7 + y * 3 + seed * 5) % levels; });
}

inline QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

inline int byteAt(const QByteArray& bytes, qsizetype i)
{
    return static_cast<std::uint8_t>(bytes.at(i));
}

// The XOR of a whole record, which a writer makes 0xFF.
inline int recordXor(const QByteArray& record)
{
    int x = 0;
    for (char c : record)
        x ^= static_cast<std::uint8_t>(c);
    return x;
}

// Rewrites the check byte (offset 3) of the record starting at `start` after an edit.
inline void resealRecord(QByteArray& bytes, qsizetype start, qsizetype size)
{
    bytes[start + 3] = 0;
    bytes[start + 3] = static_cast<char>(~recordXor(bytes.mid(start, size)));
}

// A levels comparison: same size and the same index at every pixel.
inline bool sameLevels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixelIndex(x, y) != b.pixelIndex(x, y))
                return false;
    return true;
}

} // namespace vantrel::test
