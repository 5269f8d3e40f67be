#include "core/frames/frame_bars.h"
#include "core/frames/frame_store.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/imaging/undo_stack.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantrel {
namespace {

// A frame pair whose pixel (0, 0) carries a tag, so frames are told apart after moves.
QImage colourTagged(int tag)
{
    QImage image = createBitmap(4, 2);
    image.setPixel(0, 0, qRgb(tag, 0, 0));
    return image;
}

QImage monoTagged(int tag)
{
    QImage image(4, 2, QImage::Format_Indexed8);
    image.setColorCount(4);
    image.fill(0);
    image.setPixel(0, 0, static_cast<uint>(tag % 4));
    image.setPixel(1, 0, static_cast<uint>(tag / 4 % 4));
    image.setPixel(2, 0, static_cast<uint>(tag / 16 % 4));
    return image;
}

int colourTag(const QImage& image)
{
    return qRed(image.pixel(0, 0));
}

int monoTag(const QImage& image)
{
    return image.pixelIndex(0, 0) + 4 * image.pixelIndex(1, 0) + 16 * image.pixelIndex(2, 0);
}

// Colour and mono tags of every frame; they must agree, since the lists move together.
QList<int> tags(const FrameStore& store)
{
    EXPECT_EQ(store.colourFrames().size(), store.monoFrames().size());
    QList<int> result;
    for (int i = 0; i < store.count(); ++i) {
        EXPECT_EQ(colourTag(store.colourFrame(i)), monoTag(store.monoFrame(i))) << "frame " << i;
        result.append(colourTag(store.colourFrame(i)));
    }
    return result;
}

FrameStore storeOf(std::initializer_list<int> frameTags)
{
    FrameStore store;
    for (int tag : frameTags)
        store.insertFrame(colourTagged(tag), monoTagged(tag), store.count());
    return store;
}

TEST(FrameStore, InsertPutsAFrameInBothListsAndSelectsIt)
{
    FrameStore store;
    EXPECT_TRUE(store.isEmpty());
    EXPECT_EQ(store.monoSelection(), 0);
    ASSERT_TRUE(store.insertFrame(colourTagged(1), monoTagged(1), 0));
    ASSERT_TRUE(store.insertFrame(colourTagged(2), monoTagged(2), 1));
    ASSERT_TRUE(store.insertFrame(colourTagged(3), monoTagged(3), 1));
    EXPECT_EQ(tags(store), (QList<int>{1, 3, 2}));
    EXPECT_EQ(store.colourSelection(), 1);
    EXPECT_EQ(store.monoSelection(), 1);
    ASSERT_TRUE(store.insertFrame(colourTagged(4), monoTagged(4), 99));
    EXPECT_EQ(tags(store), (QList<int>{1, 3, 2, 4}));
    EXPECT_EQ(store.monoSelection(), 3);
    EXPECT_TRUE(store.colourFrame(4).isNull());
    EXPECT_TRUE(store.monoFrame(-1).isNull());
}

TEST(FrameStore, NinetyFirstFrameIsRefused)
{
    FrameStore store;
    for (int i = 0; i < MaxFrames; ++i)
        ASSERT_TRUE(store.insertFrame(colourTagged(i), monoTagged(i), i));
    EXPECT_TRUE(store.isFull());
    EXPECT_FALSE(store.insertFrame(colourTagged(1), monoTagged(1), 0));
    EXPECT_FALSE(store.duplicateFrame(0, 1));
    EXPECT_EQ(store.count(), MaxFrames);
}

TEST(FrameStore, DuplicateCopiesBothListsAndSelectsTheCopy)
{
    FrameStore store = storeOf({10, 20, 30});
    ASSERT_TRUE(store.duplicateFrame(2, 0));
    EXPECT_EQ(tags(store), (QList<int>{30, 10, 20, 30}));
    EXPECT_EQ(store.colourSelection(), 0);
    EXPECT_EQ(store.monoSelection(), 0);
    EXPECT_FALSE(store.duplicateFrame(4, 0));

    QImage changed = store.monoFrame(0);
    changed.setPixel(0, 0, 3);
    store.setMonoFrame(0, changed);
    EXPECT_EQ(monoTag(store.monoFrame(3)), 30); // the copy is its own
}

TEST(FrameStore, DeletingFromThreeFramesShowsTheRightFrame)
{
    // Position 3: the store shrinks to 2 frames and the bar moves down to frame 2.
    FrameStore store = storeOf({1, 2, 3});
    store.removeFrame(3 - 1);
    EXPECT_EQ(tags(store), (QList<int>{1, 2}));
    EXPECT_EQ(frameBarPosition(3, store.count()), 2);

    // Position 1: the former frame 2 takes number 1.
    store = storeOf({1, 2, 3});
    store.removeFrame(1 - 1);
    EXPECT_EQ(tags(store), (QList<int>{2, 3}));
    EXPECT_EQ(frameBarPosition(1, store.count()), 1);
    EXPECT_EQ(colourTag(store.colourFrame(0)), 2);
}

TEST(FrameStore, DeleteKeepsListsInStepWhateverTheMonoSelection)
{
    FrameStore store = storeOf({1, 2, 3, 4, 5, 6});
    store.select(1);
    store.selectMono(4); // the panel preview showed frame 5
    store.removeFrame(1);
    EXPECT_EQ(tags(store), (QList<int>{1, 3, 4, 5, 6}));
    EXPECT_EQ(monoTag(store.monoFrame(store.monoSelection())), 5);
    EXPECT_EQ(store.colourSelection(), 1);

    store.select(4);
    store.removeFrame(4);
    EXPECT_EQ(store.colourSelection(), 3);
    EXPECT_EQ(store.monoSelection(), 3);

    store.removeFrame(17);
    EXPECT_EQ(store.count(), 4);
}

TEST(FrameStore, DeletingTheOnlyFrameOrClearingEmptiesTheStore)
{
    FrameStore store = storeOf({7});
    store.removeFrame(0);
    EXPECT_TRUE(store.isEmpty());
    EXPECT_EQ(store.monoSelection(), 0);
    EXPECT_EQ(frameBarMaximum(store.count()), 1);

    store = storeOf({1, 2, 3});
    store.select(2);
    store.clear();
    EXPECT_TRUE(store.isEmpty());
    EXPECT_TRUE(store.monoFrames().isEmpty());
    EXPECT_EQ(store.colourSelection(), 0);
}

TEST(FrameStore, InsertFrameAddsTheOverlayInsideThePanelAndMakesItsMono)
{
    QImage picture = createBitmap(6, 3);
    fillBitmap(picture, rgb(100, 100, 100));
    QImage overlay = createBitmap(6, 3);
    fillBitmap(overlay, rgb(200, 0, 50));

    FrameStore store;
    ASSERT_TRUE(store.InsertFrame(picture, overlay, QSize(4, 2), 2, 0));
    const QImage colour = store.colourFrame(0);
    EXPECT_EQ(colour.format(), QImage::Format_RGB888);
    EXPECT_EQ(colour.pixel(3, 1), qRgb(255, 100, 150));
    EXPECT_EQ(colour.pixel(4, 1), qRgb(100, 100, 100));
    EXPECT_EQ(colour.pixel(0, 2), qRgb(100, 100, 100));

    const QImage expectedMono = MakeMono(colour, 2);
    const QImage mono = store.monoFrame(0);
    ASSERT_EQ(mono.size(), expectedMono.size());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(mono.pixelIndex(x, y), expectedMono.pixelIndex(x, y));
    EXPECT_EQ(mono.pixelIndex(0, 0), 3);
    EXPECT_EQ(mono.pixelIndex(5, 2), 1);

    ASSERT_TRUE(store.InsertFrame(picture, QImage(), QSize(4, 2), 2, 0));
    EXPECT_EQ(store.colourFrame(0).pixel(0, 0), qRgb(100, 100, 100));
}

TEST(FrameStore, UndoGoesThroughTheStore)
{
    FrameStore store = storeOf({1, 2, 3});
    UndoStack undo;
    store.pushUndo(undo, 1, 1, false, true);
    store.setMonoFrame(1, monoTagged(40));
    ASSERT_TRUE(store.undo(undo));
    EXPECT_EQ(tags(store), (QList<int>{1, 2, 3}));
    EXPECT_FALSE(store.undo(undo));
}

// Every change of the frames counts as unsaved work; moving the selection does not.
TEST(FrameStore, ChangesSinceTheLastSaveAreUnsaved)
{
    FrameStore store;
    EXPECT_FALSE(store.hasUnsavedChanges());
    store.insertFrame(colourTagged(1), monoTagged(1), 0);
    EXPECT_TRUE(store.hasUnsavedChanges());
    store.markSaved();
    store.select(0);
    store.selectMono(0);
    EXPECT_FALSE(store.hasUnsavedChanges());

    UndoStack undo;
    store.pushUndo(undo, 0, 1, true, true);
    const std::function<void()> changes[] = {
        [&] { store.setColourFrame(0, colourTagged(2)); },
        [&] { store.setMonoFrame(0, monoTagged(2)); },
        [&] { store.duplicateFrame(0, 1); },
        [&] { store.removeFrame(1); },
        [&] { store.undo(undo); },
    };
    for (const auto& change : changes) {
        store.markSaved();
        change();
        EXPECT_TRUE(store.hasUnsavedChanges());
    }
    store.clear();
    EXPECT_FALSE(store.hasUnsavedChanges()); // nothing left to lose
}

TEST(FrameBars, MaximumAndTicks)
{
    EXPECT_EQ(frameBarMaximum(0), 1);
    EXPECT_EQ(frameBarMaximum(25), 25);
    EXPECT_EQ(frameBarTicks(25), (QList<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23}));
    EXPECT_EQ(frameBarTicks(5), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(frameBarTicks(21), (QList<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19}));
    EXPECT_EQ(frameBarTicks(90), (QList<int>{1, 9, 17, 25, 33, 41, 49, 57, 65, 73, 81, 89}));
    EXPECT_TRUE(frameBarTicks(1).isEmpty());
    EXPECT_EQ(frameBarPosition(7, 0), 1);
    EXPECT_EQ(frameBarPosition(2, 5), 2);
}

TEST(FrameBars, FrameNumberTextOnlyInRange)
{
    EXPECT_EQ(parseFrameNumber("3", 1, 10), 3);
    EXPECT_EQ(parseFrameNumber("10", 1, 10), 10);
    EXPECT_EQ(parseFrameNumber("007", 1, 10), 7);
    for (const char* text :
         {"", "0", "11", "91", "1a", " 3", "+3", "-3", "4294967299", "99999999999999999999"})
        EXPECT_FALSE(parseFrameNumber(text, 1, 10).has_value()) << '"' << text << '"';
    EXPECT_FALSE(parseFrameNumber("2147483648", 1, 2147483647).has_value());
    EXPECT_EQ(parseFrameNumber("2147483647", 1, 2147483647), 2147483647);
}

} // namespace
} // namespace vantrel
