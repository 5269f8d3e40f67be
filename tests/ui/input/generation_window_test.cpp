#include "ui/support/frame_window_test.h"

#include "core/files/anim_file.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "support/avi_writer.h"
#include "support/frame_pattern.h"
#include "ui/input/input_view.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QSlider>
#include <QToolButton>

namespace {

class Generation : public FrameWindowTest
{
protected:
    static constexpr QSize VideoSize{320, 240};

    QString writeVideo(int frames)
    {
        const QString path = QDir(folderPath()).filePath("clip.avi");
        vantrel::test::AviLayout layout;
        layout.size = VideoSize;
        layout.frames = frames;
        layout.codec = vantrel::test::AviCodec::RawBgr24; // lossless: frames compare exactly
        EXPECT_TRUE(vantrel::test::writeAvi(path, layout));
        return path;
    }
    // Drags with the mouse from one view point to another, as a user does.
    void drag(QPoint from, QPoint to)
    {
        InputView* view = control<InputView>("LeadIn");
        auto send = [view](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        };
        send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
};

// The road of the program: a video in, both areas marked on different frames, a moving cut
// made, saved and loaded back.
TEST_F(Generation, VideoToSavedAnimationAndBack)
{
    open();
    addInput(writeVideo(20));
    auto* frameBar = control<QSlider>("tbInFrame");
    ASSERT_EQ(frameBar->maximum(), 20);

    control<QToolButton>("abbCutS")->click();
    drag({1, 1}, {21, 11}); // the top-left corner of the whole-view area
    control<QToolButton>("abbCutS")->click();
    frameBar->setValue(20);
    control<QToolButton>("abbCutE")->click(); // back to the end area's frame 1...
    EXPECT_EQ(frameBar->value(), 1);
    for (const int frame : {5, 6, 20}) // ...which the area follows while its button is down
        frameBar->setValue(frame);
    EXPECT_EQ(control<InputView>("LeadIn")->rectangles().size(), 1); // drawn once, on the new frame
    control<QToolButton>("abbExecute")->click();
    ASSERT_EQ(window().frameStore().count(), 30);
    EXPECT_FALSE(control<QToolButton>("abbCutE")->isChecked());

    // The first frame is the start area on input frame 1: (20, 10)-(202, 54) stretched to the panel.
    const QImage picture = vantrel::test::makeNumberedPicture(1, VideoSize);
    const QImage cut = vantrel::resizeNearest(picture.copy(20, 10, 182, 44), 160, 54);
    EXPECT_EQ(window().frameStore().monoFrame(0),
              vantrel::MakeMono(cut, control<QComboBox>("cbDither")->currentIndex()));

    dialogs().fileAnswers.push_back(QDir(folderPath()).filePath("run.nma"));
    control<QToolButton>("abbFSave")->click();
    const QList<QImage> made = window().frameStore().monoFrames();
    control<QToolButton>("abbOutPreClr")->click();
    dialogs().fileAnswers.push_back(QDir(folderPath()).filePath("run.nma"));
    control<QToolButton>("abbFLoad")->click();
    ASSERT_EQ(window().frameStore().count(), 30);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(window().frameStore().monoFrame(i).convertToFormat(QImage::Format_Grayscale8),
                  made[i].convertToFormat(QImage::Format_Grayscale8))
            << i;
    EXPECT_TRUE(dialogs().messages.empty());
}

// Changing the zoom keeps the areas on the part of the picture they mark.
TEST_F(Generation, ZoomKeepsTheMarkedPictureRegion)
{
    open();
    QImage picture(402, 300, QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 100));
    const QString path = QDir(folderPath()).filePath("wide.png");
    ASSERT_TRUE(picture.save(path));
    addInput(path);
    control<QToolButton>("abbCutS")->click();
    drag({100, 30}, {400, 30}); // moved right until it meets the picture's edge at 402
    auto rect = [this] {
        const vantrel::TCutArea& a = window().startArea();
        return QRect(QPoint(a.Left, a.Top), QPoint(a.Right, a.Bottom));
    };
    ASSERT_EQ(rect(), QRect(QPoint(200, 0), QPoint(402, 54)));
    auto* scale = control<QComboBox>("cbScale"); // 25, 50, 100, 200, 400 %
    scale->setCurrentIndex(0);
    // 50.0 .. 100.5 rounds to 50 .. 101, one past the 100.5 picture pixels: pushed back inside
    EXPECT_EQ(rect(), QRect(QPoint(49, 0), QPoint(100, 14)));
    scale->setCurrentIndex(2);
    EXPECT_EQ(rect(), QRect(QPoint(200, 0), QPoint(402, 54))) << "the clamp at 25 % is not kept";
    scale->setCurrentIndex(3);
    EXPECT_EQ(rect(), QRect(QPoint(400, 0), QPoint(804, 108)));

    typeInto(control<QLineEdit>("MkFrm"), "1");
    control<QToolButton>("abbExecute")->click();
    ASSERT_EQ(window().frameStore().count(), 1);
    const QImage cut = vantrel::resizeNearest(picture.copy(200, 0, 202, 54), 160, 54);
    EXPECT_EQ(window().frameStore().colourFrame(0), cut);
}

TEST_F(Generation, CancelLeavesTheStoreAsItWasAndTooManyFramesAreRefused)
{
    open();
    addFrames(3);
    addInput(writeVideo(3));
    dialogs().cancelProgressAt = 5;
    control<QToolButton>("abbExecute")->click();
    EXPECT_EQ(monoMarks(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(dialogs().progressTexts.size(), 1u);

    addFrames(55, 3); // 58 + 30 = 88 fits; 88 + 30 does not
    dialogs().cancelProgressAt = -1;
    control<QToolButton>("abbExecute")->click();
    EXPECT_EQ(window().frameStore().count(), 88);
    control<QToolButton>("abbExecute")->click();
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, window().catalogue().errorTexts[9]);
    EXPECT_EQ(window().frameStore().count(), 88);
    typeInto(control<QLineEdit>("MkFrm"), "2");
    control<QToolButton>("abbExecute")->click();
    EXPECT_EQ(window().frameStore().count(), 90) << "exactly 90 is allowed";
}

// New frames go before or after the current frame as the user says; the last made is shown.
TEST_F(Generation, FramesGoBeforeOrAfterTheCurrentOneAndTheLastMadeIsShown)
{
    open();
    addFrames(3); // marks 0, 1, 2
    QImage black(64, 48, QImage::Format_RGB888);
    black.fill(Qt::black);
    const QString path = QDir(folderPath()).filePath("black.png");
    ASSERT_TRUE(black.save(path));
    addInput(path);
    typeInto(control<QLineEdit>("MkFrm"), "2");
    setPosition(2);
    dialogs().insertAnswers.push_back(vantrel::InsertBefore);
    control<QToolButton>("abbExecute")->click();
    EXPECT_EQ(monoMarks(), (QList<int>{0, -1, -1, 1, 2}));
    EXPECT_EQ(position(), 3);
    setPosition(4);
    dialogs().insertAnswers.push_back(vantrel::InsertAfter);
    control<QToolButton>("abbExecute")->click();
    EXPECT_EQ(monoMarks(), (QList<int>{0, -1, -1, 1, -1, -1, 2}));
    EXPECT_EQ(position(), 6);
}

// The command line makes, from the same inputs and areas, the frames the window makes.
TEST_F(Generation, CommandLineMakesTheWindowsFramesForEveryMethod)
{
    open();
    // Smooth colours, so that the dithering shows.
    auto gradient = [](int n, QSize size) {
        QImage picture(size, QImage::Format_RGB888);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(x, y, qRgb((x + 5 * n) % 256, (y * 2) % 256, (x + y) % 256));
        return picture;
    };
    const QString video = QDir(folderPath()).filePath("clip.avi");
    vantrel::test::AviLayout layout;
    layout.size = VideoSize;
    layout.frames = 12;
    layout.codec = vantrel::test::AviCodec::RawBgr24;
    layout.picture = [&](int n) { return gradient(n, VideoSize); };
    ASSERT_TRUE(vantrel::test::writeAvi(video, layout));
    const QString still = QDir(folderPath()).filePath("still.png");
    ASSERT_TRUE(gradient(40, {400, 300}).save(still));
    addInput(video);
    addInput(still);
    auto* frameBar = control<QSlider>("tbInFrame");
    ASSERT_EQ(frameBar->maximum(), 13);
    control<QToolButton>("abbCutS")->click(); // the areas follow the frame while their buttons are down
    frameBar->setValue(3);
    drag({1, 1}, {31, 21});
    control<QToolButton>("abbCutS")->click();
    control<QToolButton>("abbCutE")->click();
    frameBar->setValue(13);
    drag({1, 1}, {51, 41});
    control<QToolButton>("abbCutE")->click();
    typeInto(control<QLineEdit>("MkFrm"), "11");
    control<QComboBox>("cbDither")->setCurrentIndex(3);
    auto areaArgument = [](const vantrel::TCutArea& area) {
        return QStringLiteral("%1:%2,%3,%4,%5")
            .arg(area.FrameNo)
            .arg(area.Left)
            .arg(area.Top)
            .arg(area.Right)
            .arg(area.Bottom);
    };
    ASSERT_EQ(window().startArea().FrameNo, 3);
    ASSERT_EQ(window().endArea().FrameNo, 13);

    const QString made = QDir(folderPath()).filePath("made.nma");
    for (int method = 0; method < 8; ++method) {
        window().frameStore().clear();
        control<QComboBox>("cbCutK")->setCurrentIndex(method);
        control<QToolButton>("abbExecute")->click();
        QProcess cli;
        cli.start(QStringLiteral(VANTREL_CLI_PATH),
                  {"make", video, still, "-o", made, "--frames", "11", "--method", QString::number(method),
                   "--dither", "3", "--start", areaArgument(window().startArea()), "--end",
                   areaArgument(window().endArea())});
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().constData();
        vantrel::TAnimFile file;
        file.SetExistingFileName(made);
        QList<QImage> frames;
        ASSERT_EQ(file.LoadFile(frames), 0);
        const QList<QImage>& window = this->window().frameStore().monoFrames();
        ASSERT_EQ(frames.size(), window.size()) << method;
        for (qsizetype i = 0; i < frames.size(); ++i)
            ASSERT_EQ(frames[i].convertToFormat(QImage::Format_Grayscale8),
                      window[i].convertToFormat(QImage::Format_Grayscale8))
                << "method " << method << ", frame " << i;
    }
}

} // namespace
