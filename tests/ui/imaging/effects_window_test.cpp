#include "ui/support/frame_window_test.h"

#include "ui/frames/bitmap_view.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

class EffectsWindow : public FrameWindowTest
{
protected:
    void choose(int effect) { control<QComboBox>("cbEffect")->setCurrentIndex(effect); }
    void applyToAll() { control<QToolButton>("abbDesideEfA")->click(); }
};

TEST_F(EffectsWindow, NegativeTwiceAndUndoGiveTheFramesBack)
{
    open();
    choose(4);
    EXPECT_EQ(control<QComboBox>("cbEffect")->currentIndex(), 0); // nothing to work on yet
    addFrames(3);
    control<QTabWidget>("PageControl1")->setCurrentIndex(1);
    const QList<QImage> before = window().frameStore().colourFrames();

    choose(4);
    EXPECT_TRUE(control<BitmapView>("LeadEfColor")->hasImage());
    applyToAll();
    EXPECT_NE(window().frameStore().colourFrames(), before);
    EXPECT_EQ(window().frameStore().colourFrame(0).pixel(5, 5), qRgb(255, 255, 255)); // black went white
    applyToAll();
    EXPECT_EQ(window().frameStore().colourFrames(), before);

    applyToAll();
    control<QToolButton>("abbUndo")->click();
    EXPECT_EQ(window().frameStore().colourFrames(), before);
    EXPECT_EQ(monoMarks(), (QList<int>{0, 1, 2}));
}

TEST_F(EffectsWindow, StrengthGoesBackToZeroAfterAnApply)
{
    open();
    addFrames(2);
    choose(1);
    auto* strength = control<QSlider>("tbEffect");
    EXPECT_EQ(strength->minimum(), -1000);
    strength->setValue(500);
    applyToAll();
    EXPECT_EQ(strength->value(), 0);
    EXPECT_NE(window().frameStore().colourFrame(0), markedPicture(0));
}

// The standard keys reach undo and redo; the text box keeps its own.
TEST_F(EffectsWindow, RedoAfterUndoAfterAnEffectByTheKeys)
{
    open();
    addFrames(3);
    control<QTabWidget>("PageControl1")->setCurrentIndex(1);
    const QList<QImage> before = window().frameStore().monoFrames();
    choose(4);
    applyToAll();
    const QList<QImage> negative = window().frameStore().monoFrames();
    window().show();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    control<QComboBox>("cbEffect")->setFocus();

    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window().frameStore().monoFrames(), before);
    QTest::keyClick(&window(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window().frameStore().monoFrames(), negative);
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window().frameStore().monoFrames(), negative);

    control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    auto* memo = control<QPlainTextEdit>("Memo1");
    memo->setFocus();
    QTest::keyClicks(memo, "ab");
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window().frameStore().monoFrames(), negative);
}

} // namespace
