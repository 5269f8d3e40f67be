#include "ui/support/frame_window_test.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QSlider>
#include <QUrl>

namespace {

class FileDrop : public FrameWindowTest
{
protected:
    // Whether the view lets the file be dragged onto it.
    bool enters(const char* view, const QString& file)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(control<QWidget>(view), &enter);
        return enter.isAccepted();
    }
    // A drag entering the view and dropping the file there, as the desktop delivers them.
    bool drop(const char* view, const QString& file)
    {
        QWidget* target = control<QWidget>(view);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        if (!enters(view, file))
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    QString path(const char* name) { return QDir(folderPath()).filePath(name); }
};

TEST_F(FileDrop, PicturesGoToTheInputAnimationsToTheOutputOthersAreRefused)
{
    open();
    ASSERT_TRUE(markedPicture(1, {64, 48}).save(path("one.png")));
    ASSERT_TRUE(drop("LeadIn", path("one.png")));
    ASSERT_TRUE(drop("LeadIn", path("one.png"))); // asks where, as the add button does
    EXPECT_EQ(control<QSlider>("tbInFrame")->maximum(), 2);
    EXPECT_EQ(dialogs().insertDialogCounts.size(), 1u);

    const QString animation = writeAnimation("two.nma", {markedMono(3), markedMono(4)});
    ASSERT_TRUE(drop("LeadMono", animation));
    EXPECT_EQ(monoMarks(), (QList<int>{3, 4}));

    ASSERT_TRUE(drop("LeadColor", path("one.png"))); // a picture is no animation
    ASSERT_TRUE(drop("LeadIn", animation));          // nor an animation a picture
    EXPECT_EQ(dialogs().messages.size(), 2u);
    EXPECT_EQ(monoMarks(), (QList<int>{3, 4}));
    EXPECT_EQ(control<QSlider>("tbInFrame")->maximum(), 2);

    // A full store takes no animation, while pictures still come in: each view asks its own
    // button.
    addFrames(88, 10);
    ASSERT_FALSE(control<QWidget>("abbFLoad")->isEnabled());
    EXPECT_FALSE(enters("LeadMono", animation)) << "not even offered";
    EXPECT_FALSE(drop("LeadMono", animation));
    EXPECT_EQ(window().frameStore().count(), 90);
    dialogs().insertAnswers.push_back(vantrel::InsertAfter);
    EXPECT_TRUE(drop("LeadIn", path("one.png")));
    EXPECT_EQ(control<QSlider>("tbInFrame")->maximum(), 3);
}

} // namespace
