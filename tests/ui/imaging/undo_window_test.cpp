#include "ui/support/frame_window_test.h"

#include "ui/frames/bitmap_view.h"

#include <QSlider>
#include <QToolButton>

namespace {

class UndoWindow : public FrameWindowTest
{
protected:
    // What a text insertion into the current frame does to the stores.
    void changeMono(int index, int mark)
    {
        vantrel::FrameStore& store = window().frameStore();
        store.pushUndo(window().undoStack(), index, 1, false, true);
        store.setMonoFrame(index, markedMono(mark));
    }
    int storedMark(int index) { return markOf(window().frameStore().monoFrame(index)); }
};

TEST_F(UndoWindow, TenOfElevenChangesComeBackAndTheFirstStays)
{
    open();
    addFrames(3);
    for (int change = 1; change <= 11; ++change)
        changeMono(1, 100 + change);
    for (int undo = 1; undo <= 10; ++undo) {
        control<QToolButton>(undo % 2 ? "abbUndo" : "abbUndo2")->click();
        EXPECT_EQ(storedMark(1), 100 + 11 - undo) << undo;
    }
    control<QToolButton>("abbUndo")->click();
    EXPECT_EQ(storedMark(1), 101);
    EXPECT_EQ(monoMarks(), (QList<int>{0, 101, 2}));
}

TEST_F(UndoWindow, UndoRedisplaysTheBarsFrameEvenWithNothingToUndo)
{
    open();
    addFrames(4);
    setPosition(2);
    changeMono(3, 120);
    window().frameStore().select(3);
    control<QToolButton>("abbUndo")->click();
    EXPECT_EQ(storedMark(3), 3);
    EXPECT_EQ(window().frameStore().monoSelection(), 1);

    window().frameStore().select(0);
    control<BitmapView>("LeadMono")->clear();
    control<QToolButton>("abbUndo2")->click();
    EXPECT_EQ(window().frameStore().colourSelection(), 1);
    EXPECT_TRUE(control<BitmapView>("LeadMono")->hasImage());
}

TEST_F(UndoWindow, DeletesAreUndoneAndRedoneWithTheViews)
{
    open();
    addFrames(3);
    changeMono(0, 150);
    setPosition(3);
    control<QToolButton>("abbOutPreDel")->click();
    ASSERT_EQ(monoMarks(), (QList<int>{150, 1}));
    control<QToolButton>("abbUndo")->click();
    EXPECT_EQ(monoMarks(), (QList<int>{150, 1, 2}));
    EXPECT_EQ(colourMarks(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(control<QSlider>("tbOutPre")->maximum(), 3);
    control<QToolButton>("abbUndo")->click(); // the change before the delete
    EXPECT_EQ(monoMarks(), (QList<int>{0, 1, 2}));
    window().ExeRedo();
    window().ExeRedo();
    EXPECT_EQ(monoMarks(), (QList<int>{150, 1}));
    EXPECT_EQ(control<QSlider>("tbOutPre")->maximum(), 2);
    EXPECT_EQ(shownMark("LeadMono"), 1) << "the view shows what redo left";

    control<QToolButton>("abbOutPreClr")->click();
    ASSERT_TRUE(window().frameStore().isEmpty());
    control<QToolButton>("abbUndo")->click();
    EXPECT_EQ(monoMarks(), (QList<int>{150, 1}));
    EXPECT_EQ(shownMark("LeadMono"), 150); // the bar went back to frame 1 with the store empty
    EXPECT_TRUE(control<QToolButton>("abbOutPreDel")->isEnabled());
    window().ExeRedo();
    EXPECT_TRUE(window().frameStore().isEmpty());
    EXPECT_FALSE(control<BitmapView>("LeadMono")->hasImage());
    EXPECT_FALSE(control<QToolButton>("abbOutPreDel")->isEnabled());
}

TEST_F(UndoWindow, BacklightRetintsTheStoredCurrentFrameOnly)
{
    open();
    addFrames(3);
    setPosition(2);
    control<QSlider>("tbRed")->setValue(0);
    const vantrel::FrameStore& store = window().frameStore();
    EXPECT_EQ(store.monoFrame(1).color(3), qRgb(0, 255, 255));
    EXPECT_EQ(store.monoFrame(0).color(3), qRgb(255, 255, 255));
    EXPECT_EQ(markOf(store.monoFrame(1)), 1);
    EXPECT_EQ(control<BitmapView>("LeadMono")->image().color(3), qRgb(0, 255, 255));
}

} // namespace
