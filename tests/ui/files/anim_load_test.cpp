#include "ui/support/frame_window_test.h"

#include "core/files/anim_file.h"

#include <QDir>
#include <QSlider>
#include <QToolButton>

namespace {

class AnimLoad : public FrameWindowTest
{
protected:
    static QList<QImage> marked(int count, int firstMark)
    {
        QList<QImage> frames;
        for (int i = 0; i < count; ++i)
            frames << markedMono(firstMark + i);
        return frames;
    }
    void load(const QString& path)
    {
        dialogs().fileAnswers.push_back(path);
        control<QToolButton>("abbFLoad")->click();
    }
    QString errorText(int item) { return window().catalogue().errorTexts[static_cast<std::size_t>(item)]; }
};

TEST_F(AnimLoad, OnlyWhatFitsBesideTheStoreGoesIn)
{
    open();
    addFrames(88);
    const QString path = writeAnimation("five.nma", marked(5, 100));
    load(path);
    ASSERT_EQ(window().frameStore().count(), 90);
    EXPECT_EQ(monoMarks().mid(88), (QList<int>{100, 101}));
    ASSERT_EQ(dialogs().insertDialogCounts.size(), 1u);
    EXPECT_EQ(dialogs().insertDialogCounts[0], "2 frames");
    EXPECT_FALSE(control<QToolButton>("abbFLoad")->isEnabled());
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(
        dialogs().messages[0].text,
        "2 of the file's 5 frames were loaded. 3 were left out, since an animation holds at most 90 frames.");
}

TEST_F(AnimLoad, IntoAnEmptyStoreWithoutAskingLastFrameCurrent)
{
    open();
    const QString path = writeAnimation("three.nma", marked(3, 40));
    load(path);
    EXPECT_TRUE(dialogs().insertDialogCounts.empty());
    EXPECT_EQ(monoMarks(), (QList<int>{40, 41, 42}));
    EXPECT_EQ(colourMarks(), monoMarks());
    EXPECT_EQ(position(), 3);
    EXPECT_EQ(window().frameStore().colourSelection(), 2);
    EXPECT_TRUE(control<QToolButton>("abbFSave")->isEnabled());
    EXPECT_FALSE(window().frameStore().hasUnsavedChanges()) << "what was loaded is on disk";
    // The dialog offered both kinds first, then each, and opened in the animation folder.
    ASSERT_EQ(dialogs().openRequests.size(), 1u);
    const QStringList filters = dialogs().openRequests[0].filter.split(";;");
    ASSERT_EQ(filters.size(), 3);
    EXPECT_TRUE(filters[0].endsWith("(*.nml *.nma)")) << filters[0].toStdString();
    EXPECT_TRUE(filters[1].endsWith("(*.nml)"));
    EXPECT_TRUE(filters[2].endsWith("(*.nma)"));
    EXPECT_EQ(dialogs().openRequests[0].defaultSuffix, "nml");
}

TEST_F(AnimLoad, AfterOrBeforeTheCurrentFrame)
{
    open();
    addFrames(10);
    setPosition(4);
    window().frameStore().selectMono(9); // as a save or the panel preview leaves it
    dialogs().insertAnswers.push_back(vantrel::InsertAfter);
    load(writeAnimation("after.nma", marked(2, 100)));
    EXPECT_EQ(monoMarks().mid(3, 4), (QList<int>{3, 100, 101, 4}));
    EXPECT_EQ(position(), 6);

    setPosition(2);
    dialogs().insertAnswers.push_back(vantrel::InsertBefore);
    load(writeAnimation("before.nml", marked(1, 120)));
    EXPECT_EQ(monoMarks().mid(0, 3), (QList<int>{0, 120, 1}));
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(window().frameStore().count(), 13);
    EXPECT_TRUE(window().frameStore().hasUnsavedChanges()) << "the frames made before were never saved";
}

TEST_F(AnimLoad, CancelledPositionLeavesTheStore)
{
    open();
    addFrames(4);
    setPosition(2);
    window().frameStore().pushUndo(window().undoStack(), 0, 4, true, true);
    dialogs().insertAnswers.push_back(vantrel::InsertCancelled);
    load(writeAnimation("two.nma", marked(2, 100)));
    EXPECT_EQ(monoMarks(), (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(position(), 2);
    EXPECT_EQ(window().undoStack().count(), 0);
    EXPECT_TRUE(dialogs().messages.empty());
}

TEST_F(AnimLoad, ColourCodeComesFromTheFileAndTheBarsFollow)
{
    open();
    load(writeAnimation("tinted.nml", marked(1, 7), 0x25));
    EXPECT_EQ(window().panelColorCode(), 0x25);
    EXPECT_EQ(control<QSlider>("tbRed")->value(), 2);
    EXPECT_EQ(control<QSlider>("tbGreen")->value(), 1);
    EXPECT_EQ(control<QSlider>("tbBlue")->value(), 1);
}

TEST_F(AnimLoad, MissingOrDamagedFilesShowTheirErrorAndChangeNothing)
{
    open();
    addFrames(2);
    load(QDir(folderPath()).filePath("absent.nma"));
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, errorText(7) + "\nNo such file or directory");
    EXPECT_EQ(dialogs().messages[0].caption, "Error");

    const QString path = writeAnimation("damaged.nma", marked(2, 100));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(20);
    file.write("\x5a", 1);
    file.close();
    load(path);
    ASSERT_EQ(dialogs().messages.size(), 2u);
    EXPECT_EQ(dialogs().messages[1].text, errorText(3));
    EXPECT_TRUE(dialogs().insertDialogCounts.empty()); // checked before asking where
    EXPECT_EQ(monoMarks(), (QList<int>{0, 1}));
    EXPECT_EQ(window().panelColorCode(), 63);
}

TEST_F(AnimLoad, AnimationFolderFollowsTheChosenFile)
{
    open();
    QDir(folderPath()).mkdir("anims");
    const QString path = writeAnimation("anims/one.NML", marked(1, 3));
    load(path);
    EXPECT_EQ(monoMarks(), (QList<int>{3}));
    EXPECT_EQ(window().settings().dirImg, QDir(folderPath()).filePath("anims"));
    load(QString()); // cancelled
    EXPECT_EQ(dialogs().openRequests.back().folder, QDir(folderPath()).filePath("anims"));
    EXPECT_EQ(monoMarks(), (QList<int>{3}));
}

} // namespace
