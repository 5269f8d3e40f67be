#include "ui/support/frame_window_test.h"

#include "support/avi_writer.h"
#include "ui/input/input_view.h"

#include <QDir>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <tuple>

namespace {

class InputFrames : public FrameWindowTest
{
protected:
    QString writePicture(const char* name, QSize size)
    {
        QImage picture(size, QImage::Format_RGB888);
        picture.fill(Qt::darkCyan);
        const QString path = QDir(folderPath()).filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }
};

// A picture wider than the view but low enough gets the full width with room for the scroll
// bar below and is centred vertically in the 416 x 294 panel.
TEST_F(InputFrames, WidePictureFillsTheWidthAndIsCentredVertically)
{
    open();
    addInput(writePicture("wide.PNG", {500, 200}));
    const InputView* view = control<InputView>("LeadIn");
    EXPECT_EQ(view->size(), QSize(414, 217));
    EXPECT_EQ(control<QWidget>("Panel10")->pos(), QPoint(1, 37));
    EXPECT_EQ(view->dstWidth(), 500.0);
}

// Enter checks a frame number edit as leaving it does: a number beyond the frames gives way to
// the slider's position.
TEST_F(InputFrames, EnterInAFrameNumberPutsBackTheSlidersPosition)
{
    open();
    const QString clip = writeClip("clip.avi", 41);
    ASSERT_FALSE(clip.isEmpty());
    addInput(clip);
    control<QSlider>("tbInFrame")->setValue(9);
    addFrames(5);
    setPosition(2);
    for (const auto& [edit, typed, restored] :
         {std::tuple{"FrmNo", "99", "9"}, std::tuple{"OutPreFrm", "91", "2"}}) {
        auto* field = control<QLineEdit>(edit);
        typeInto(field, typed);
        EXPECT_EQ(field->text(), typed);
        pressEnter(field);
        EXPECT_EQ(field->text(), restored) << edit;
    }
    EXPECT_EQ(control<QSlider>("tbInFrame")->value(), 9);
    EXPECT_EQ(position(), 2);
}

// The count and the delete button's hint read as each catalogue words them.
TEST_F(InputFrames, InsertCountAndDeleteHintInTheCataloguesWording)
{
    const QString clip = writeClip("clip.avi", 3);
    ASSERT_FALSE(clip.isEmpty());
    const QString picture = writePicture("one.png", {16, 16});
    const struct
    {
        QString catalogue;
        QString count;
        QString hint;
    } cases[] = {
        {japaneseCatalogue(), "3Frames", clip + "を削除"},
        {englishCatalogue(), "3 frames", "Delete " + clip},
    };
    for (const auto& c : cases) {
        useCatalogue(c.catalogue);
        open();
        addInput(picture);
        addInput(clip);
        EXPECT_EQ(dialogs().insertDialogCounts, std::vector<QString>{c.count});
        EXPECT_EQ(control<QToolButton>("abbDelPic")->toolTip(), c.hint);
    }
}

TEST_F(InputFrames, FilesGoBeforeOrAfterTheCurrentFileAndDeletingRenumbers)
{
    open();
    const QString video = writeClip("clip.avi", 5);
    ASSERT_FALSE(video.isEmpty());
    addInput(writePicture("one.jpg", {64, 64}));
    EXPECT_TRUE(dialogs().insertDialogCounts.empty()); // nothing to ask about in an empty list
    dialogs().insertAnswers.push_back(vantrel::InsertBefore);
    addInput(video); // before the picture: frames 1-5, the picture 6
    EXPECT_EQ(dialogs().insertDialogCounts.back(), "5 frames");
    auto* bar = control<QSlider>("tbInFrame");
    EXPECT_EQ(bar->maximum(), 6);
    EXPECT_EQ(bar->value(), 1);

    control<QToolButton>("abbCutS")->click();
    bar->setValue(6); // the area being edited follows the frame
    control<QToolButton>("abbCutS")->click();
    EXPECT_EQ(control<QLabel>("StatusPanel0")->text().left(8), "Start 6:");
    bar->setValue(3);
    control<QToolButton>("abbDelPic")->click(); // the video goes; the picture is frame 1
    EXPECT_EQ(bar->maximum(), 1);
    EXPECT_EQ(control<QLineEdit>("FrmNo")->text(), "1");
    EXPECT_TRUE(control<InputView>("LeadIn")->hasPicture());
    EXPECT_EQ(control<QLabel>("StatusPanel0")->text().left(8), "Start 1:");

    control<QToolButton>("abbInClr")->click();
    EXPECT_FALSE(control<InputView>("LeadIn")->hasPicture());
    EXPECT_FALSE(control<QToolButton>("abbExecute")->isEnabled());

    // A file that yields no frame has its own message.
    ASSERT_TRUE(vantrel::test::writePngAvi(video, {64, 64}, {}));
    addInput(video);
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, window().catalogue().errorTexts[7]);
}

// Making frames reads the areas' frames; the file shown stays the one delete removes.
TEST_F(InputFrames, CreateLeavesTheShownFileCurrent)
{
    open();
    const QString video = writeClip("clip.avi", 5);
    ASSERT_FALSE(video.isEmpty());
    addInput(video);
    dialogs().insertAnswers.push_back(vantrel::InsertAfter);
    addInput(writePicture("after.png", {64, 64})); // frame 6, shown; both areas on frame 1
    typeInto(control<QLineEdit>("MkFrm"), "3");
    control<QToolButton>("abbExecute")->click();
    ASSERT_EQ(window().frameStore().count(), 3);
    control<QToolButton>("abbDelPic")->click();
    EXPECT_EQ(control<QSlider>("tbInFrame")->maximum(), 5) << "the picture shown goes, not the video";
}

// The dialog offers the videos as their own kind, and an MP4 chosen there adds its frames.
TEST_F(InputFrames, DialogOffersVideosAndAnMp4AddsItsFrames)
{
    open();
    const QString video = QDir(folderPath()).filePath("clip.mp4");
    ASSERT_TRUE(vantrel::test::writeVideo(video, {.frames = 7, .codec = vantrel::test::AviCodec::H264}));
    addInput(video);
    EXPECT_EQ(control<QSlider>("tbInFrame")->maximum(), 7);
    ASSERT_EQ(dialogs().openRequests.size(), 1u);
    const QStringList filters = dialogs().openRequests[0].filter.split(";;");
    ASSERT_EQ(filters.size(), 3);
    const QString videos = "(*.avi *.mp4 *.m4v *.mov *.mkv *.webm *.gif)";
    EXPECT_EQ(filters[2], window().catalogue().fileTexts[4] + " " + videos);
    EXPECT_TRUE(filters[0].endsWith("*.avif " + videos.mid(1))) << filters[0].toStdString();
}

// A file gone from disk while the player runs gives one error box and stops the player.
TEST_F(InputFrames, VanishedFileStopsThePlayerWithOneError)
{
    open();
    const QString video = writeClip("gone.avi", 5);
    ASSERT_FALSE(video.isEmpty());
    addInput(video);
    control<QToolButton>("abbInFramePlay")->click();
    ASSERT_TRUE(QFile::remove(video));
    window().timerInOnTimer();
    EXPECT_EQ(dialogs().messages.size(), 1u);
    EXPECT_FALSE(control<QToolButton>("abbInFramePlay")->isChecked());
    EXPECT_FALSE(control<QTimer>("TimerIn")->isActive()); // no further ticks, no further boxes
}

} // namespace
