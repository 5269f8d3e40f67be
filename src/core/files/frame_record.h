#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>

// One frame record of the panel animation files: a 9-byte header ("nm", header length, check
// byte, colour code, width - 1, height - 1, highest level, colour code) and the complemented,
// packed pixel levels, rows on byte boundaries, leftmost pixel in the high bits.
namespace vantrel {

inline constexpr int FrameHeaderSize = 9;
inline constexpr int AnimHeaderSize = 4;
inline constexpr int MaxRecordSide = 256;

// The smallest b in 0..8 with 2^b >= n; 0 for n <= 1 and 9 for n > 256.
int LevelBits(int n);

// 1, 2, 4 or 8: the depths a record can hold.
bool isRecordBits(int bits);

// level * (255 / (2^bits - 1)): the grey of a level. 0 for a depth a record can't hold.
int ExpandLevel(int level, int bits);

// The `bits` most significant bits of an 8-bit value (clamped to 0..255).
int QuantizeLevel(int value, int bits);

// Pixel bytes of one row and of a whole frame.
int rowBytes(int width, int bits);
int pixelByteCount(int width, int height, int bits);

struct FrameHeader
{
    int width = 0;
    int height = 0;
    int bits = 0;
    int colorCode = 0;
    int headerLength = FrameHeaderSize;
};

// Reads the first 9 header bytes. 0, AnimDamaged (not "nm", length below 9) or AnimBadDepth.
int parseFrameHeader(const std::uint8_t* header, FrameHeader& out);

// XOR of every byte.
std::uint8_t xorOf(const std::uint8_t* bytes, qsizetype size);

// The pixel bytes as an indexed bitmap whose pixel values are the levels and whose colour
// table holds the 2^bits greys ExpandLevel(k, bits). `pixels` holds pixelByteCount bytes.
QImage decodeFramePixels(const std::uint8_t* pixels, int width, int height, int bits);

// The level each pixel of a frame's row stands for when saved: the palette index of an indexed
// frame (its level, whatever tint its palette has), the top bits of the grey of an 8-bit grey
// frame. `levels` holds the frame's width.
void rowLevels(const QImage& frame, int y, int bits, uchar* levels);

// Appends one complete record of the frame at the given depth. The caller has checked that
// the frame fits a record (1..256 pixels a side).
void appendFrameRecord(QByteArray& out, const QImage& frame, int bits, std::uint8_t colorCode);

} // namespace vantrel
