#include "ui/support/frame_window_test.h"

#include "core/imaging/bitmap.h"
#include "ui/frames/bitmap_view.h"
#include "ui/frames/frame_track_bar.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>

namespace {

class FrameEdit : public FrameWindowTest
{
protected:
    QLineEdit* numberEdit() { return control<QLineEdit>("OutPreFrm"); }
    void click(const char* name) { control<QToolButton>(name)->click(); }
};

TEST_F(FrameEdit, DeletingTheLastFrameShowsTheNewLast)
{
    open();
    addFrames(3);
    click("abbOutPreDel");
    EXPECT_EQ(monoMarks(), (QList<int>{0, 1}));
    EXPECT_EQ(colourMarks(), (QList<int>{0, 1}));
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(numberEdit()->text(), "2");
    const BitmapView* colour = control<BitmapView>("LeadColor");
    EXPECT_EQ(colour->image(), vantrel::FitToView(window().frameStore().colourFrame(1), colour->size()));
    EXPECT_EQ(window().frameStore().colourSelection(), 1);
}

TEST_F(FrameEdit, DeletingTheFirstFrameShowsItsSuccessorAsOne)
{
    open();
    addFrames(3);
    setPosition(1);
    click("abbOutPreDel");
    EXPECT_EQ(monoMarks(), (QList<int>{1, 2}));
    EXPECT_EQ(position(), 1);
    EXPECT_EQ(numberEdit()->text(), "1");
    EXPECT_EQ(window().frameStore().monoSelection(), 0);
    EXPECT_EQ(control<FrameTrackBar>("tbOutPre")->maximum(), 2);
    EXPECT_EQ(control<FrameTrackBar>("tbPanel")->maximum(), 2);
}

TEST_F(FrameEdit, DeletingTheOnlyFrameEmptiesEverything)
{
    open();
    addFrames(1);
    control<QComboBox>("cbEffect")->setCurrentIndex(2);
    ASSERT_TRUE(control<QToolButton>("abbOutPreDel")->isEnabled());
    click("abbOutPreDel");
    EXPECT_TRUE(window().frameStore().isEmpty());
    EXPECT_EQ(control<QComboBox>("cbEffect")->currentIndex(), 0);
    for (const char* name : {"abbOutPreDel", "abbOutPreClr", "abbOutPreNext", "abbOutPreBack", "abbFSave"})
        EXPECT_FALSE(control<QToolButton>(name)->isEnabled()) << name;
    EXPECT_FALSE(control<BitmapView>("LeadColor")->hasImage());
    EXPECT_FALSE(control<BitmapView>("LeadMono")->hasImage());
}

TEST_F(FrameEdit, DeleteTakesTheBarsFrameNotThePanelPreviewsSelection)
{
    open();
    addFrames(6);
    setPosition(2);
    window().frameStore().selectMono(4);
    click("abbOutPreDel");
    EXPECT_EQ(monoMarks(), (QList<int>{0, 2, 3, 4, 5}));
    EXPECT_EQ(colourMarks(), monoMarks());
}

TEST_F(FrameEdit, ClearEmptiesStoreAndViews)
{
    open();
    addFrames(4);
    window().frameStore().pushUndo(window().undoStack(), 0, 4, true, true);
    control<BitmapView>("LeadEfMono")->setImage(markedMono(1));
    control<QComboBox>("cbEffect")->setCurrentIndex(3);
    ASSERT_FALSE(control<QWidget>("tbEffect")->isHidden());
    click("abbOutPreClr");
    EXPECT_TRUE(window().frameStore().isEmpty());
    EXPECT_EQ(window().undoStack().count(), 2) << "clearing can be undone";
    EXPECT_EQ(control<QComboBox>("cbEffect")->currentIndex(), 0);
    EXPECT_TRUE(control<QWidget>("tbEffect")->isHidden());
    for (const char* name : {"LeadColor", "LeadMono", "LeadEfColor", "LeadEfMono", "LeadFont"})
        EXPECT_FALSE(control<BitmapView>(name)->hasImage()) << name;
    EXPECT_EQ(control<FrameTrackBar>("tbOutPre")->maximum(), 1);
    EXPECT_FALSE(control<QToolButton>("abbOutPreClr")->isEnabled());
}

TEST_F(FrameEdit, ClearWhileAnAreaIsEditedShowsItsCut)
{
    open();
    addFrames(2);
    setPosition(1); // at a later frame the bar's move to frame 1 ends the editing first
    QImage picture(300, 200, QImage::Format_RGB888);
    picture.fill(qRgb(200, 100, 50));
    const QString path = QDir(folderPath()).filePath("input.png");
    ASSERT_TRUE(picture.save(path));
    addInput(path);
    click("abbCutS");
    click("abbOutPreClr");
    const QImage shown = control<BitmapView>("LeadColor")->image();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(200, 100, 50));
    EXPECT_TRUE(control<BitmapView>("LeadMono")->hasImage());
}

TEST_F(FrameEdit, EmptiedViewsLookAsAtStartUp)
{
    for (const char* emptying : {"abbOutPreDel", "abbOutPreClr"}) {
        open();
        BitmapView* views[] = {control<BitmapView>("LeadColor"), control<BitmapView>("LeadMono")};
        const QImage atStart[] = {views[0]->grab().toImage(), views[1]->grab().toImage()};
        addFrames(1);
        click(emptying);
        for (int i : {0, 1})
            EXPECT_EQ(views[i]->grab().toImage(), atStart[i]) << emptying << " " << i;
    }
}

TEST_F(FrameEdit, TypedNumbersOutsideTheFramesChangeNothingAndLeavingRestores)
{
    open();
    addFrames(5);
    setPosition(2);
    for (const QString typed : {"0", "91", "6", "1a", "", "99999999999"}) {
        typeInto(numberEdit(), typed);
        EXPECT_EQ(numberEdit()->text(), typed);
        EXPECT_EQ(position(), 2) << typed.toStdString();
        EXPECT_EQ(window().frameStore().colourSelection(), 1) << typed.toStdString();
        leave(numberEdit());
        EXPECT_EQ(numberEdit()->text(), "2") << typed.toStdString();
    }
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(FrameEdit, TypedNumberInRangeShowsThatFrame)
{
    open();
    addFrames(5);
    typeInto(numberEdit(), "3");
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(window().frameStore().colourSelection(), 2);
    EXPECT_EQ(markOf(window().frameStore().monoFrame(window().frameStore().monoSelection())), 2);
    leave(numberEdit());
    EXPECT_EQ(numberEdit()->text(), "3");
}

TEST_F(FrameEdit, SteppingStopsAtBothEnds)
{
    open();
    addFrames(3);
    click("abbOutPreNext");
    EXPECT_EQ(position(), 3);
    click("abbOutPreBack");
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(numberEdit()->text(), "2");
    click("abbOutPreBack");
    click("abbOutPreBack");
    EXPECT_EQ(position(), 1);
    click("abbOutPreNext");
    EXPECT_EQ(position(), 2);
    click("abbOutPreNext");
    EXPECT_EQ(position(), 3) << "the last step reaches the last frame";
}

TEST_F(FrameEdit, TickMarksFollowTheFrameCount)
{
    open();
    addFrames(25);
    QList<int> expected;
    for (int tick = 1; tick < 25; tick += 2)
        expected << tick;
    EXPECT_EQ(control<FrameTrackBar>("tbOutPre")->tickPositions(), expected);
    EXPECT_EQ(control<FrameTrackBar>("tbPanel")->tickPositions(), expected);
    EXPECT_EQ(expected.last(), 23);

    click("abbOutPreClr");
    addFrames(5);
    EXPECT_EQ(control<FrameTrackBar>("tbOutPre")->tickPositions(), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(control<FrameTrackBar>("tbPanel")->maximum(), 5);
    // Painting with custom ticks must not trip over the style.
    control<FrameTrackBar>("tbOutPre")->grab();
}

TEST_F(FrameEdit, EmptyStoreBarsSpanOneToOne)
{
    open();
    for (const char* name : {"tbOutPre", "tbPanel"}) {
        EXPECT_EQ(control<FrameTrackBar>(name)->minimum(), 1) << name;
        EXPECT_EQ(control<FrameTrackBar>(name)->maximum(), 1) << name;
    }
    addFrames(3);
    click("abbOutPreClr");
    for (const char* name : {"tbOutPre", "tbPanel"}) {
        EXPECT_EQ(control<FrameTrackBar>(name)->maximum(), 1) << name;
        EXPECT_EQ(control<FrameTrackBar>(name)->value(), 1) << name;
    }
}

TEST_F(FrameEdit, DisplayShowsViewSizedTintedCopiesAndReleasesTheCutButton)
{
    open();
    addFrames(2);
    control<QSlider>("tbGreen")->setValue(0);
    control<QSlider>("tbBlue")->setValue(0); // code 48: reds
    control<QToolButton>("abbCutS")->setChecked(true);
    bool released = false;
    QObject::connect(control<QToolButton>("abbCutS"), &QToolButton::clicked,
                     [&](bool checked) { released = !checked; });
    setPosition(1);
    EXPECT_FALSE(control<QToolButton>("abbCutS")->isChecked());
    EXPECT_TRUE(released);

    const BitmapView* mono = control<BitmapView>("LeadMono");
    const BitmapView* colour = control<BitmapView>("LeadColor");
    EXPECT_EQ(mono->image().size(), mono->size());
    EXPECT_EQ(colour->image().size(), colour->size());
    EXPECT_EQ(mono->image().color(3), qRgb(255, 0, 0));
    // The stored frames keep their size.
    EXPECT_EQ(window().frameStore().monoFrame(0).size(), QSize(160, 54));
}

} // namespace
