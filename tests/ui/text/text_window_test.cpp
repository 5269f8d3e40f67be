#include "ui/support/frame_window_test.h"

#include "ui/frames/bitmap_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>

namespace {

class TextWindow : public FrameWindowTest
{
};

TEST_F(TextWindow, InsertedTextChangesOnlyTheMonoFrameAndUndoTakesItBack)
{
    open();
    addFrames(6);
    setPosition(5);
    control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    control<QComboBox>("cbFColor")->setCurrentIndex(3); // white, to show on the black frames
    control<QPlainTextEdit>("Memo1")->setPlainText("Hi");
    EXPECT_TRUE(control<BitmapView>("LeadFont")->hasImage());
    const QList<QImage> mono = window().frameStore().monoFrames();
    const QList<QImage> colour = window().frameStore().colourFrames();

    control<QToolButton>("abbInsFont")->click();
    const QList<QImage> after = window().frameStore().monoFrames();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(after[i] == mono[i], i != 4) << i;
    EXPECT_EQ(window().frameStore().colourFrames(), colour);

    control<QToolButton>("abbUndo2")->click();
    EXPECT_EQ(window().frameStore().monoFrames(), mono);
}

TEST_F(TextWindow, SizesOutsideTheRangeAreIgnoredAndRepairedOnLeaving)
{
    open();
    auto* size = control<QLineEdit>("FontSize");
    for (const char* bad : {"9", "40", "x"}) {
        typeInto(size, bad);
        leave(size);
        EXPECT_EQ(size->text(), "10") << bad;
    }
    typeInto(size, "24");
    leave(size);
    EXPECT_EQ(size->text(), "24");
}

} // namespace
