#include "core/files/anim_result.h"
#include "core/files/anim_test_util.h"
#include "core/files/anim_writer.h"
#include "core/files/frame_record.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::byteAt;
using test::levelFrame;

TEST(LevelHelpers, LevelBitsIsTheSmallestPowerThatHoldsN)
{
    const std::pair<int, int> cases[] = {{0, 0},   {1, 0},   {2, 1},   {3, 2},   {4, 2},
                                         {5, 3},   {8, 3},   {9, 4},   {16, 4},  {17, 5},
                                         {128, 7}, {129, 8}, {255, 8}, {256, 8}, {257, 9}};
    for (auto [n, bits] : cases)
        EXPECT_EQ(LevelBits(n), bits) << "n = " << n;
}

TEST(LevelHelpers, ExpandAndQuantizeAreInversesAtEveryDepth)
{
    EXPECT_EQ(ExpandLevel(1, 1), 255);
    EXPECT_EQ(ExpandLevel(2, 2), 170);
    EXPECT_EQ(ExpandLevel(3, 4), 51);
    EXPECT_EQ(ExpandLevel(200, 8), 200);
    EXPECT_EQ(QuantizeLevel(63, 2), 0);
    EXPECT_EQ(QuantizeLevel(64, 2), 1);
    EXPECT_EQ(QuantizeLevel(191, 2), 2);
    EXPECT_EQ(QuantizeLevel(192, 2), 3);
    EXPECT_EQ(QuantizeLevel(127, 1), 0);
    EXPECT_EQ(QuantizeLevel(128, 1), 1);
    for (int bits : {1, 2, 4, 8})
        for (int level = 0; level < (1 << bits); ++level)
            EXPECT_EQ(QuantizeLevel(ExpandLevel(level, bits), bits), level) << bits << " bits";
    EXPECT_EQ(ExpandLevel(1, 3), 0);
    EXPECT_EQ(QuantizeLevel(300, 2), 3);
}

TEST(FrameRecordWrite, FourLevelsMakeTheTenByteExample)
{
    const QImage frame = levelFrame(4, 1, 2, [](int x, int) { return x; });
    QByteArray bytes;
    ASSERT_EQ(encodeAnimation(AnimKind::Frame, {frame}, 63, bytes), AnimOk);
    EXPECT_EQ(bytes, test::bytesOf({0x6E, 0x6D, 0x09, 0x11, 0x3F, 0x03, 0x00, 0x03, 0x3F, 0xE4}));
}

TEST(FrameRecordWrite, OneFrameFileIsHeaderAndPixelsOnly)
{
    QByteArray bytes;
    ASSERT_EQ(encodeAnimation(AnimKind::Frame, {test::patternFrame(64, 16, 2)}, 63, bytes), AnimOk);
    EXPECT_EQ(bytes.size(), 265);
    EXPECT_TRUE(bytes.startsWith(test::bytesOf({'n', 'm', 9})));
    EXPECT_EQ(test::recordXor(bytes), 0xFF);
}

TEST(FrameRecordWrite, AnimationHeaderCountsFramesAndIsThereForOneFrame)
{
    QByteArray three, one;
    const QImage f = test::patternFrame(5, 3, 2);
    ASSERT_EQ(encodeAnimation(AnimKind::Animation, {f, f, f}, 63, three), AnimOk);
    ASSERT_EQ(encodeAnimation(AnimKind::Animation, {f}, 63, one), AnimOk);
    EXPECT_TRUE(three.startsWith(test::bytesOf({'n', 'a', 0, 3})));
    EXPECT_TRUE(one.startsWith(test::bytesOf({'n', 'a', 0, 1})));
    const int record = FrameHeaderSize + 2 * 3;
    ASSERT_EQ(three.size(), 4 + 3 * record);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(test::recordXor(three.mid(4 + i * record, record)), 0xFF) << "record " << i;
}

TEST(FrameRecordWrite, DarkAndBrightFramesAreStoredComplemented)
{
    QByteArray dark, bright;
    ASSERT_EQ(encodeAnimation(AnimKind::Frame, {levelFrame(8, 2, 2, [](int, int) { return 0; })}, 63, dark),
              0);
    ASSERT_EQ(encodeAnimation(AnimKind::Frame, {levelFrame(8, 2, 2, [](int, int) { return 3; })}, 63, bright),
              0);
    EXPECT_EQ(dark.mid(FrameHeaderSize), QByteArray(4, '\xFF'));
    EXPECT_EQ(bright.mid(FrameHeaderSize), QByteArray(4, '\0'));
}

TEST(FrameRecordWrite, PacksLeftmostPixelHighAtEveryDepth)
{
    QByteArray bytes;
    // Width 5 at 2 bits: two bytes per row, the fifth pixel in bits 7..6 of the second.
    ASSERT_EQ(encodeAnimation(AnimKind::Frame,
                              {levelFrame(5, 1, 2, [](int x, int) { return x == 4 ? 2 : 0; })}, 0, bytes),
              0);
    ASSERT_EQ(bytes.size(), FrameHeaderSize + 2);
    EXPECT_EQ(byteAt(bytes, 9), 0xFF);
    EXPECT_EQ(byteAt(bytes, 10) & 0xC0, (~0x80) & 0xC0);

    ASSERT_EQ(
        encodeAnimation(AnimKind::Frame, {levelFrame(3, 1, 4, [](int x, int) { return x + 1; })}, 0, bytes),
        0);
    ASSERT_EQ(bytes.size(), FrameHeaderSize + 2);
    EXPECT_EQ(byteAt(bytes, 7), 15);
    EXPECT_EQ(byteAt(bytes, 9), 0xFF & ~0x12);
    EXPECT_EQ(byteAt(bytes, 10) & 0xF0, 0xF0 & ~0x30);

    ASSERT_EQ(
        encodeAnimation(AnimKind::Frame, {levelFrame(9, 1, 1, [](int x, int) { return x % 2; })}, 0, bytes),
        0);
    ASSERT_EQ(bytes.size(), FrameHeaderSize + 2);
    EXPECT_EQ(byteAt(bytes, 7), 1);
    EXPECT_EQ(byteAt(bytes, 9), 0xFF & ~0x55);
    EXPECT_EQ(byteAt(bytes, 10) & 0x80, 0x80);
}

} // namespace
} // namespace vantrel
