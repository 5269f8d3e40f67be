#include "ui/support/frame_window_test.h"

#include "ui/frames/bitmap_view.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
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

// Dragged (100, 10) preview pixels, the text lands (100 x 160 / width, 10 x 54 / height)
// frame pixels further, truncated.
TEST_F(TextWindow, DraggedTextLandsAtThePreviewPositionScaledToTheFrame)
{
    open();
    addFrames(1, 159); // the mark lies away from where the text goes
    control<QTabWidget>("PageControl1")->setCurrentIndex(2);
    control<QComboBox>("cbFColor")->setCurrentIndex(3);
    control<QPlainTextEdit>("Memo1")->setPlainText("L");
    const QImage blank = window().frameStore().monoFrame(0);
    auto litPixels = [&] {
        const QImage frame = window().frameStore().monoFrame(0);
        QList<QPoint> lit;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (frame.pixelIndex(x, y) != blank.pixelIndex(x, y))
                    lit << QPoint(x, y);
        return lit;
    };
    control<QToolButton>("abbInsFont")->click();
    const QList<QPoint> atOrigin = litPixels();
    ASSERT_FALSE(atOrigin.isEmpty());
    control<QToolButton>("abbUndo2")->click();

    BitmapView* preview = control<BitmapView>("LeadFont");
    auto send = [preview](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, preview->mapToGlobal(at), held ? Qt::LeftButton : Qt::NoButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(preview, &event);
    };
    send(QEvent::MouseMove, {3, 3}, Qt::NoButton);
    send(QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton);
    send(QEvent::MouseMove, {103, 13}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {103, 13}, Qt::NoButton);
    control<QToolButton>("abbInsFont")->click();
    const QPoint shift(static_cast<int>(100 * 160.0 / preview->width()),
                       static_cast<int>(10 * 54.0 / preview->height()));
    QList<QPoint> expected;
    for (const QPoint& p : atOrigin)
        if (p.x() + shift.x() < 160 && p.y() + shift.y() < 54)
            expected << p + shift;
    EXPECT_EQ(litPixels(), expected) << shift.x() << "," << shift.y();
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
