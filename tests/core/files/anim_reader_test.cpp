#include "core/files/anim_reader.h"
#include "core/files/anim_result.h"
#include "core/files/anim_test_util.h"
#include "core/files/anim_writer.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace vantrel {
namespace {

using test::byteAt;
using test::patternFrame;

QByteArray encoded(AnimKind kind, const QList<QImage>& frames, int code = 63)
{
    QByteArray bytes;
    EXPECT_EQ(encodeAnimation(kind, frames, static_cast<std::uint8_t>(code), bytes), AnimOk);
    return bytes;
}

// A result that must leave what the caller held alone.
AnimContents sentinel()
{
    AnimContents contents;
    contents.records.append({7, 7, 2, 42});
    contents.frames.append(patternFrame(7, 7, 2));
    return contents;
}

bool isSentinel(const AnimContents& contents)
{
    return contents.records.size() == 1 && contents.records[0].colorCode == 42 && contents.frames.size() == 1;
}

TEST(AnimRead, TenByteExampleGivesItsFourLevels)
{
    AnimContents contents;
    const QByteArray bytes = test::bytesOf({0x6E, 0x6D, 0x09, 0x11, 0x3F, 0x03, 0x00, 0x03, 0x3F, 0xE4});
    ASSERT_EQ(readAnimation(bytes, AnimKind::Frame, contents), AnimOk);
    ASSERT_EQ(contents.frames.size(), 1);
    const QImage& frame = contents.frames[0];
    EXPECT_EQ(frame.format(), QImage::Format_Indexed8);
    EXPECT_EQ(frame.size(), QSize(4, 1));
    EXPECT_EQ(frame.colorTable(),
              (QList<QRgb>{qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)}));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(frame.pixelIndex(x, 0), x);
    EXPECT_EQ(contents.lastColorCode(), 63);
}

TEST(AnimRead, RoundTripKeepsLevelsAndColourCodeAtEveryDepth)
{
    for (int bits : {1, 2, 4, 8}) {
        const QList<QImage> frames{patternFrame(13, 5, bits, 0), patternFrame(13, 5, bits, 1)};
        AnimContents contents;
        ASSERT_EQ(readAnimation(encoded(AnimKind::Animation, frames, 0x25), AnimKind::Animation, contents),
                  AnimOk);
        ASSERT_EQ(contents.frames.size(), 2) << bits;
        EXPECT_EQ(contents.lastColorCode(), 0x25);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(contents.records[i].bits, bits);
            EXPECT_EQ(contents.frames[i].colorCount(), 1 << bits);
            EXPECT_EQ(contents.frames[i].color((1 << bits) - 1), qRgb(255, 255, 255));
            EXPECT_TRUE(test::sameLevels(contents.frames[i], frames[i])) << bits << " bits, frame " << i;
        }
    }
}

TEST(AnimRead, EightBitGreyFrameIsSavedAsItsGreys)
{
    QImage grey(16, 16, QImage::Format_Grayscale8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            grey.scanLine(y)[x] = static_cast<uchar>(y * 16 + x);
    AnimContents contents;
    ASSERT_EQ(readAnimation(encoded(AnimKind::Frame, {grey}), AnimKind::Frame, contents), AnimOk);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(contents.frames[0].pixelIndex(x, y), y * 16 + x);
}

TEST(AnimRead, UnusedLowBitsOfARowAreIgnored)
{
    QByteArray bytes =
        encoded(AnimKind::Frame, {test::levelFrame(5, 2, 2, [](int x, int) { return x % 4; })});
    for (int row = 0; row < 2; ++row)
        bytes[FrameHeaderSize + row * 2 + 1] =
            static_cast<char>(byteAt(bytes, FrameHeaderSize + row * 2 + 1) ^ 0x3F);
    test::resealRecord(bytes, 0, bytes.size());
    AnimContents contents;
    ASSERT_EQ(readAnimation(bytes, AnimKind::Frame, contents), AnimOk);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(contents.frames[0].pixelIndex(x, 1), x % 4);
}

// Which code a single bit flip in a one-frame file of 5 x 3 pixels at 2 bits must give.
int expectedFlipResult(int offset, int flipped)
{
    const auto needs = [](int width, int height, int bits) { return rowBytes(width, bits) * height; };
    const int available = 6;
    switch (offset) {
    case 0:
    case 1:
    case 2: // "nm" broken, or a length below 9 or one whose extra bytes the file lacks
        return AnimDamaged;
    case 5:
        return needs(flipped + 1, 3, 2) > available ? AnimDamaged : AnimCheckFailed;
    case 6:
        return needs(5, flipped + 1, 2) > available ? AnimDamaged : AnimCheckFailed;
    case 7: {
        const int bits = LevelBits(flipped + 1);
        if (!isRecordBits(bits))
            return AnimBadDepth;
        return needs(5, 3, bits) > available ? AnimDamaged : AnimCheckFailed;
    }
    default: // the check byte, the colour codes and the pixels
        return AnimCheckFailed;
    }
}

TEST(AnimRead, EverySingleBitFlipIsCaught)
{
    const QByteArray good = encoded(AnimKind::Frame, {patternFrame(5, 3, 2)});
    ASSERT_EQ(good.size(), 15);
    for (int offset = 0; offset < good.size(); ++offset) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray bad = good;
            bad[offset] = static_cast<char>(byteAt(good, offset) ^ (1 << bit));
            AnimContents contents = sentinel();
            EXPECT_EQ(readAnimation(bad, AnimKind::Frame, contents),
                      expectedFlipResult(offset, byteAt(bad, offset)))
                << "byte " << offset << " bit " << bit;
            EXPECT_TRUE(isSentinel(contents));
        }
    }
}

TEST(AnimRead, EveryTruncationIsDamage)
{
    const QList<QImage> frames{patternFrame(6, 2, 2, 0), patternFrame(6, 2, 2, 1)};
    for (AnimKind kind : {AnimKind::Frame, AnimKind::Animation}) {
        const QByteArray whole = encoded(kind, frames);
        for (qsizetype size = 0; size < whole.size(); ++size) {
            AnimContents contents = sentinel();
            EXPECT_EQ(readAnimation(whole.left(size), kind, contents), AnimDamaged) << size << " bytes";
            EXPECT_TRUE(isSentinel(contents));
        }
        AnimContents contents;
        EXPECT_EQ(readAnimation(whole, kind, contents), AnimOk);
    }
}

TEST(AnimRead, HighestLevelThatIsNoDepthIsRefused)
{
    for (int highest : {0, 4, 7, 16, 127}) {
        QByteArray bytes = encoded(AnimKind::Frame, {patternFrame(4, 1, 2)});
        bytes[7] = static_cast<char>(highest);
        test::resealRecord(bytes, 0, bytes.size());
        AnimContents contents;
        EXPECT_EQ(readAnimation(bytes, AnimKind::Frame, contents), AnimBadDepth) << highest;
    }
}

TEST(AnimRead, HeaderLengthBelowNineIsDamage)
{
    QByteArray bytes = encoded(AnimKind::Frame, {patternFrame(4, 1, 2)});
    bytes[2] = 8;
    test::resealRecord(bytes, 0, bytes.size());
    AnimContents contents;
    EXPECT_EQ(readAnimation(bytes, AnimKind::Frame, contents), AnimDamaged);
}

TEST(AnimRead, ExtraHeaderBytesAreSkippedButChecked)
{
    const QImage frame = patternFrame(7, 3, 2);
    const QByteArray plain = encoded(AnimKind::Frame, {frame});
    QByteArray longer = plain.left(FrameHeaderSize) + QByteArray("XYZ") + plain.mid(FrameHeaderSize);
    longer[2] = 12;
    test::resealRecord(longer, 0, longer.size());
    QByteArray file = QByteArray("na") + test::bytesOf({0, 2}) + longer + longer;

    AnimContents contents;
    ASSERT_EQ(readAnimation(file, AnimKind::Animation, contents), AnimOk);
    ASSERT_EQ(contents.frames.size(), 2);
    EXPECT_TRUE(test::sameLevels(contents.frames[1], frame));

    file[4 + FrameHeaderSize + 1] = 'y'; // an extra byte of the first record
    EXPECT_EQ(readAnimation(file, AnimKind::Animation, contents), AnimCheckFailed);
}

TEST(AnimRead, EmptyAnimationIsAnEmptyList)
{
    AnimContents contents = sentinel();
    ASSERT_EQ(readAnimation(test::bytesOf({'n', 'a', 0, 0}), AnimKind::Animation, contents), AnimOk);
    EXPECT_TRUE(contents.frames.isEmpty());
    EXPECT_EQ(contents.frameCount(), 0);
    EXPECT_EQ(contents.lastColorCode(), -1);
}

TEST(AnimRead, AnimationHeaderMustBeComplete)
{
    AnimContents contents;
    EXPECT_EQ(readAnimation(test::bytesOf({'n', 'b', 0, 0}), AnimKind::Animation, contents), AnimDamaged);
    EXPECT_EQ(readAnimation(test::bytesOf({'N', 'a', 0, 0}), AnimKind::Animation, contents), AnimDamaged);
    // An animation read as a one-frame file has no "nm" at its start.
    EXPECT_EQ(readAnimation(encoded(AnimKind::Animation, {patternFrame(3, 3, 2)}), AnimKind::Frame, contents),
              AnimDamaged);
}

TEST(AnimRead, CountBeyondTheFileIsDamageNotAnAllocation)
{
    QByteArray bytes =
        test::bytesOf({'n', 'a', 0xFF, 0xFF}) + encoded(AnimKind::Frame, {patternFrame(4, 1, 2)});
    bytes.append(QByteArray(20 - bytes.size(), '\0'));
    AnimContents contents;
    EXPECT_EQ(readAnimation(bytes, AnimKind::Animation, contents), AnimDamaged);
}

TEST(AnimRead, TrailingBytesAreIgnored)
{
    const QImage frame = patternFrame(9, 4, 2);
    AnimContents contents;
    ASSERT_EQ(
        readAnimation(encoded(AnimKind::Frame, {frame}) + QByteArray(100, 'x'), AnimKind::Frame, contents),
        AnimOk);
    EXPECT_TRUE(test::sameLevels(contents.frames[0], frame));
}

TEST(AnimRead, RecordsOfDifferentSizesEachGetTheirOwn)
{
    const QImage small = patternFrame(4, 2, 2);
    const QImage large = patternFrame(200, 100, 8);
    const QByteArray file = test::bytesOf({'n', 'a', 0, 3}) + encoded(AnimKind::Frame, {small}, 1) +
                            encoded(AnimKind::Frame, {large}, 2) + encoded(AnimKind::Frame, {small}, 3);
    AnimContents contents;
    ASSERT_EQ(readAnimation(file, AnimKind::Animation, contents), AnimOk);
    ASSERT_EQ(contents.frames.size(), 3);
    EXPECT_TRUE(test::sameLevels(contents.frames[0], small));
    EXPECT_TRUE(test::sameLevels(contents.frames[1], large));
    EXPECT_TRUE(test::sameLevels(contents.frames[2], small));
    EXPECT_EQ(contents.records[1].bits, 8);
    EXPECT_EQ(contents.lastColorCode(), 3);
}

TEST(AnimRead, KeepsOnlyTheFramesAskedForButChecksThemAll)
{
    const QList<QImage> frames{patternFrame(5, 5, 2, 0), patternFrame(5, 5, 2, 1), patternFrame(5, 5, 2, 2)};
    QByteArray bytes = encoded(AnimKind::Animation, frames, 0x15);
    AnimContents contents;
    ASSERT_EQ(readAnimation(bytes, AnimKind::Animation, contents, 1), AnimOk);
    EXPECT_EQ(contents.frameCount(), 3);
    ASSERT_EQ(contents.frames.size(), 1);
    EXPECT_TRUE(test::sameLevels(contents.frames[0], frames[0]));
    EXPECT_EQ(contents.lastColorCode(), 0x15);

    bytes[bytes.size() - 1] = static_cast<char>(byteAt(bytes, bytes.size() - 1) ^ 1);
    EXPECT_EQ(readAnimation(bytes, AnimKind::Animation, contents, 0), AnimCheckFailed);
}

class SequentialBuffer : public QBuffer
{
public:
    bool isSequential() const override { return true; }
};

TEST(AnimRead, DeviceThatCantBeRead)
{
    const QByteArray bytes = encoded(AnimKind::Frame, {patternFrame(4, 1, 2)});
    AnimContents contents;
    EXPECT_EQ(readAnimation(bytes, AnimKind::Other, contents), AnimCantOpen);

    QBuffer closed;
    closed.setData(bytes);
    EXPECT_EQ(readAnimation(closed, AnimKind::Frame, contents), AnimCantOpen);

    SequentialBuffer pipe;
    pipe.setData(bytes);
    ASSERT_TRUE(pipe.open(QIODevice::ReadOnly));
    EXPECT_EQ(readAnimation(pipe, AnimKind::Frame, contents), AnimSizeUnknown);
}

} // namespace
} // namespace vantrel
