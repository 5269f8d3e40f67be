#include "ui/support/frame_window_test.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
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

    control<QToolButton>("abbInsFontA")->click();
    for (int i = 0; i < 6; ++i)
        EXPECT_NE(window().frameStore().monoFrames()[i], mono[i]) << "into every frame: " << i;

    // The second colour list belongs to the decorations drawn in a second colour.
    auto* decoration = control<QComboBox>("cbFEffect");
    QList<bool> secondColour;
    for (int index = 0; index < decoration->count(); ++index) {
        decoration->setCurrentIndex(index);
        secondColour << !control<QWidget>("cbFontB")->isHidden();
    }
    EXPECT_EQ(secondColour, (QList<bool>{false, true, true, false, false})); // outline, shadow
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
    auto drag = [&](QPoint from, QPoint to) {
        send(QEvent::MouseMove, from, Qt::NoButton);
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    };
    drag({3, 3}, {103, 13});
    const QImage shown = preview->image();
    control<QToolButton>("abbInsFont")->click();
    const QPoint shift(static_cast<int>(100 * 160.0 / preview->width()),
                       static_cast<int>(10 * 54.0 / preview->height()));
    QList<QPoint> expected;
    for (const QPoint& p : atOrigin)
        if (p.x() + shift.x() < 160 && p.y() + shift.y() < 54)
            expected << p + shift;
    EXPECT_EQ(litPixels(), expected) << shift.x() << "," << shift.y();
    // The preview showed the text where it went in.
    QImage inserted = window().frameStore().monoFrame(0);
    vantrel::SetPanelPalette(inserted, window().settings().levels, window().panelColorCode());
    EXPECT_EQ(shown, vantrel::FitToView(inserted, shown.size()));

    // Dragged right until its right edge meets the preview's.
    const int room = preview->width() - window().fontRect().Right;
    ASSERT_GT(room, 0);
    drag({103, 13}, {103 + room, 13});
    EXPECT_EQ(window().fontRect().Left, 100 + room);
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
