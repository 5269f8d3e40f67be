#include "core/imaging/undo_stack.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// One-pixel-tagged frames: the value at (0, 0) says which version a frame is.
QImage version(int v)
{
    QImage image(3, 2, QImage::Format_Indexed8);
    image.setColorCount(256);
    image.fill(0);
    image.setPixel(0, 0, static_cast<uint>(v));
    return image;
}

int versionOf(const QImage& image)
{
    return image.isNull() ? -1 : image.pixelIndex(0, 0);
}

QList<int> versions(const QList<QImage>& frames)
{
    QList<int> result;
    for (const QImage& frame : frames)
        result.append(versionOf(frame));
    return result;
}

QList<QImage> framesOf(std::initializer_list<int> values)
{
    QList<QImage> frames;
    for (int v : values)
        frames.append(version(v));
    return frames;
}

TEST(UndoStack, ElevenChangesTenComeBack)
{
    QList<QImage> colour = framesOf({0});
    QList<QImage> mono = framesOf({0});
    UndoStack undo(10);
    for (int change = 1; change <= 11; ++change) {
        undo.Push(0, 1, nullptr, &mono);
        mono[0].setPixel(0, 0, static_cast<uint>(change));
    }
    EXPECT_EQ(undo.count(), 10);
    for (int expected = 10; expected >= 1; --expected) {
        ASSERT_TRUE(undo.Undo(colour, mono));
        EXPECT_EQ(versionOf(mono[0]), expected);
    }
    EXPECT_FALSE(undo.Undo(colour, mono));
    EXPECT_EQ(versionOf(mono[0]), 1); // the first change stays
    EXPECT_EQ(versionOf(colour[0]), 0);
}

TEST(UndoStack, EffectThenTextComeBackInTurn)
{
    QList<QImage> colour = framesOf({1, 2, 3});
    QList<QImage> mono = framesOf({1, 2, 3});
    UndoStack undo;

    undo.Push(0, 3, nullptr, &mono); // text into every frame
    for (QImage& frame : mono)
        frame.setPixel(0, 0, static_cast<uint>(versionOf(frame) + 10));
    undo.Push(0, 3, &colour, &mono); // an effect on every frame
    for (int i = 0; i < 3; ++i) {
        colour[i].scanLine(0)[0] = static_cast<uchar>(100 + i);
        mono[i].bits()[0] = static_cast<uchar>(200 + i);
    }

    ASSERT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versions(colour), (QList<int>{1, 2, 3}));
    EXPECT_EQ(versions(mono), (QList<int>{11, 12, 13}));
    ASSERT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versions(colour), (QList<int>{1, 2, 3}));
    EXPECT_EQ(versions(mono), (QList<int>{1, 2, 3}));
}

TEST(UndoStack, RestoresOnlyTheFramesItSaved)
{
    QList<QImage> colour = framesOf({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    QList<QImage> mono = colour;
    UndoStack undo;
    undo.Push(4, 1, nullptr, &mono);
    for (QImage& frame : mono)
        frame.setPixel(0, 0, 50);
    ASSERT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versionOf(mono[4]), 4);
    EXPECT_EQ(versionOf(mono[3]), 50);
    EXPECT_EQ(versionOf(mono[5]), 50);
    EXPECT_EQ(versions(colour), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(UndoStack, ClearDropsEverySnapshot)
{
    QList<QImage> colour = framesOf({1});
    QList<QImage> mono = framesOf({1});
    UndoStack undo;
    undo.Push(0, 1, &colour, &mono);
    colour[0].setPixel(0, 0, 9);
    undo.Clear();
    EXPECT_EQ(undo.count(), 0);
    EXPECT_FALSE(undo.Undo(colour, mono));
    EXPECT_EQ(versionOf(colour[0]), 9);
}

TEST(UndoStack, SnapshotThatNoLongerFitsRestoresWhatFits)
{
    QList<QImage> colour = framesOf({1, 2, 3});
    QList<QImage> mono = framesOf({1, 2, 3});
    UndoStack undo;
    undo.Push(0, 3, &colour, &mono);
    undo.Push(2, 5, &colour, &mono); // reaches past the end: frame 2 only
    undo.Push(7, 1, &colour, &mono); // nothing there
    undo.Push(-2, 3, &colour, &mono);
    for (int i = 0; i < 3; ++i)
        colour[i].setPixel(0, 0, 60);
    colour.remove(1, 2);
    mono.remove(1, 2);

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versions(colour), (QList<int>{1}));
    EXPECT_EQ(versions(mono), (QList<int>{1}));
}

TEST(UndoStack, DepthIsTheConstructorsWord)
{
    QList<QImage> colour = framesOf({0});
    QList<QImage> mono = framesOf({0});
    UndoStack two(2);
    for (int i = 0; i < 5; ++i)
        two.Push(0, 1, &colour, &mono);
    EXPECT_EQ(two.count(), 2);
    EXPECT_EQ(two.depth(), 2);
    UndoStack none(0);
    none.Push(0, 1, &colour, &mono);
    EXPECT_EQ(none.count(), 0);
}

TEST(UndoStack, RedoTakesBackWhatUndoDidUntilANewChange)
{
    QList<QImage> colour = framesOf({0, 0});
    QList<QImage> mono = framesOf({0, 0});
    UndoStack undo(10);
    for (int change = 1; change <= 12; ++change) {
        undo.Push(0, 2, &colour, &mono);
        colour[1] = version(change);
        mono[0] = version(change);
    }
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versions(mono), (QList<int>{2, 0}));
    EXPECT_EQ(undo.redoCount(), 10);
    for (int expected = 3; expected <= 12; ++expected) {
        ASSERT_TRUE(undo.Redo(colour, mono));
        EXPECT_EQ(versions(mono), (QList<int>{expected, 0}));
        EXPECT_EQ(versions(colour), (QList<int>{0, expected}));
    }
    EXPECT_FALSE(undo.Redo(colour, mono));
    EXPECT_EQ(undo.count(), 10);

    ASSERT_TRUE(undo.Undo(colour, mono));
    undo.Push(0, 1, nullptr, &mono); // a new change ends the redo
    EXPECT_FALSE(undo.Redo(colour, mono));
    ASSERT_TRUE(undo.Undo(colour, mono));
    undo.Clear();
    EXPECT_FALSE(undo.Redo(colour, mono));

    // Text saves the mono list only: redo brings its frames back as well.
    mono = framesOf({5, 6});
    undo.Push(0, 2, nullptr, &mono);
    mono = framesOf({7, 8});
    ASSERT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versions(mono), (QList<int>{5, 6}));
    ASSERT_TRUE(undo.Redo(colour, mono));
    EXPECT_EQ(versions(mono), (QList<int>{7, 8}));

    // A delete saves both lists whole: undo gives back the frames removed, redo removes them again.
    undo.PushWhole(colour, mono);
    colour.removeLast();
    mono.removeLast();
    ASSERT_TRUE(undo.Undo(colour, mono));
    EXPECT_EQ(versions(mono), (QList<int>{7, 8}));
    EXPECT_EQ(colour.size(), 2);
    ASSERT_TRUE(undo.Redo(colour, mono));
    EXPECT_EQ(versions(mono), (QList<int>{7}));
}

} // namespace
} // namespace vantrel
