#include "ui/support/frame_window_test.h"

#include "core/files/anim_file.h"
#include "support/test_files.h"
#include "ui/files/anim_dialog_filter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>

namespace {

class AnimSave : public FrameWindowTest
{
protected:
    void save(const QString& name)
    {
        dialogs().fileAnswers.push_back(name.isEmpty() ? QString() : QDir(folderPath()).filePath(name));
        control<QToolButton>("abbFSave")->click();
    }
    QList<QImage> readBack(const QString& name, int* colorCode = nullptr)
    {
        vantrel::TAnimFile file;
        file.SetFileName(QDir(folderPath()).filePath(name));
        QList<QImage> frames;
        EXPECT_EQ(file.LoadFile(frames), 0) << name.toStdString();
        if (colorCode)
            *colorCode = file.colorCode();
        return frames;
    }
    static QList<int> marksOf(const QList<QImage>& frames)
    {
        QList<int> marks;
        for (const QImage& frame : frames)
            marks << markOf(frame);
        return marks;
    }
};

TEST_F(AnimSave, OneFrameOffersFramesOnlyAndSeveralAnimationsOnly)
{
    open();
    addFrames(1);
    save(QString());
    addFrames(1, 1);
    save(QString());
    ASSERT_EQ(dialogs().saveRequests.size(), 2u);
    const auto& texts = window().catalogue().fileTexts;
    EXPECT_EQ(dialogs().saveRequests[0].filter, texts[1] + " (*.nml)");
    EXPECT_EQ(dialogs().saveRequests[0].defaultSuffix, "nml");
    EXPECT_EQ(dialogs().saveRequests[1].filter, texts[2] + " (*.nma)");
    EXPECT_EQ(dialogs().saveRequests[1].defaultSuffix, "nma");
    EXPECT_TRUE(QDir(folderPath()).entryList({"*.nm?"}).isEmpty());
}

TEST_F(AnimSave, NameWithoutExtensionGetsTheDefaultAndKeepsTheColourCode)
{
    open();
    addFrames(3);
    control<QSlider>("tbGreen")->setValue(1);
    save("clip");
    int code = 0;
    EXPECT_EQ(marksOf(readBack("clip.nma", &code)), (QList<int>{0, 1, 2}));
    EXPECT_EQ(code, 0x37);
    EXPECT_TRUE(dialogs().messages.empty());
    EXPECT_EQ(window().settings().dirImg, folderPath());
}

TEST_F(AnimSave, AnimationTypedForOneFrameLoadsBack)
{
    open();
    addFrames(1, 9);
    save("single.nma");
    QFile file(QDir(folderPath()).filePath("single.nma"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), QByteArray("na\x00\x01", 4));
    file.close();

    dialogs().fileAnswers.push_back(file.fileName());
    control<QToolButton>("abbFLoad")->click();
    EXPECT_EQ(monoMarks(), (QList<int>{9, 9}));
}

TEST_F(AnimSave, OtherExtensionIsRefusedAndWritesNothing)
{
    open();
    addFrames(2);
    save("clip.bmp");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, window().catalogue().errorTexts[1]);
    EXPECT_FALSE(QFile::exists(QDir(folderPath()).filePath("clip.bmp")));
}

TEST_F(AnimSave, FrameTooLargeForTheFormatIsRefusedClearly)
{
    open();
    ASSERT_TRUE(window().InsertFrame(markedPicture(1, {300, 54}), QImage(), 0));
    window().UpdateFrameBars();
    window().UpdateControlState(vantrel::ControlReason::StoreChanged);
    save("wide.nml");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, window().catalogue().frameTooLarge);
    EXPECT_FALSE(window().catalogue().frameTooLarge.isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(folderPath()).filePath("wide.nml")));
}

TEST_F(AnimSave, FrameTooLargeFallsBackToTheCodeWithoutACatalogueText)
{
    writeCatalogue("[Errors]\nItems=2\n0=zero\n1=one\n");
    open();
    ASSERT_TRUE(window().InsertFrame(markedPicture(1, {160, 300}), QImage(), 0));
    window().UpdateControlState(vantrel::ControlReason::StoreChanged);
    save("tall.nml");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text, "Error:8");
}

TEST_F(AnimSave, QuestionsNameWhatWillReallyBeWritten)
{
    open();
    addFrames(3);
    save("clip.nml"); // unscripted: the user says no
    ASSERT_EQ(dialogs().confirmations.size(), 1u);
    EXPECT_EQ(dialogs().confirmations[0].text, "A .nml file holds one frame: only frame 1 will be saved, and "
                                               "the other 2 frames will not. Save anyway?");
    EXPECT_FALSE(QFile::exists(QDir(folderPath()).filePath("clip.nml")));

    // A long base name is cut on saving: the question is about the file that would be replaced.
    const QString written = QDir(folderPath()).filePath(QString(122, 'x') + ".nma");
    writeFile(written, "old");
    save(QString(130, 'x') + ".nma");
    ASSERT_EQ(dialogs().confirmations.size(), 2u);
    EXPECT_EQ(dialogs().confirmations[1].text, QDir::toNativeSeparators(written) +
                                                   " already exists. Do you want "
                                                   "to replace it?");
    EXPECT_FALSE(dialogs().saveRequests.back().confirmOverwrite);
    EXPECT_EQ(vantrel::test::readBytes(written), "old");
    dialogs().confirmAnswers.push_back(true);
    save(QString(130, 'x') + ".nma");
    EXPECT_EQ(marksOf(readBack(QString(122, 'x') + ".nma")), (QList<int>{0, 1, 2}));
}

// Two frames into a one-frame file: asked first, and afterwards the second is still unsaved.
TEST_F(AnimSave, OneFrameFileOfTwoFramesAsksAndLeavesThemUnsaved)
{
    open();
    addFrames(2);
    dialogs().confirmAnswers.push_back(true);
    save("first.nml");
    EXPECT_EQ(dialogs().confirmations.size(), 1u);
    EXPECT_EQ(marksOf(readBack("first.nml")), (QList<int>{0}));
    EXPECT_TRUE(window().frameStore().hasUnsavedChanges());
}

TEST_F(AnimSave, FrameOfAnotherSizeIsNamed)
{
    open();
    addFrames(1);
    ASSERT_TRUE(window().InsertFrame(markedPicture(2, {100, 54}), QImage(), 1));
    window().UpdateControlState(vantrel::ControlReason::StoreChanged);
    save("mixed.nma");
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_EQ(dialogs().messages[0].text,
              "The frames cannot be saved: frame 2 is 100 × 54 dots, but frame 1 is "
              "160 × 54. Delete frame 2 or replace it with a frame of the same size.");
}

TEST_F(AnimSave, ExitWarnsOfFramesChangedSinceTheLastSave)
{
    open();
    addFrames(2);
    window().close();
    save("kept.nma");
    window().close();
    control<QToolButton>("abbOutPreDel")->click();
    window().close();
    ASSERT_EQ(dialogs().confirmations.size(), 3u);
    const auto& catalogue = window().catalogue();
    EXPECT_EQ(dialogs().confirmations[0].text, catalogue.endConfirmUnsaved);
    EXPECT_EQ(dialogs().confirmations[1].text, catalogue.endConfirmText);
    EXPECT_EQ(dialogs().confirmations[2].text, catalogue.endConfirmUnsaved);
}

TEST(AnimDialogFilter, EachEntryShowsItsPatternsOnce)
{
    const std::pair<const char*, const char*> cases[] = {
        {"All(*.nml,*.nma)|*.nml;*.nma|One (*.nml) |*.nml", "All (*.nml *.nma);;One (*.nml)"},
        {"Pictures（*.bmp;*.jpg）|*.bmp;*.jpg", "Pictures (*.bmp *.jpg)"},
        {"Video (AVI)|*.avi", "Video (AVI) (*.avi)"},
        {"dangling", ""},
    };
    for (const auto& [pipeFilter, expected] : cases)
        EXPECT_EQ(qtFileFilter(QString::fromUtf8(pipeFilter)), QString::fromUtf8(expected)) << pipeFilter;
    EXPECT_EQ(animOpenFilter({"A", "B", "C", "D"}), "A (*.nml *.nma);;B (*.nml);;C (*.nma)");
    // The kind chosen in a save dialog gives a typed name its extension.
    EXPECT_EQ(singleSuffixOf("APNG (*.apng)"), "apng");
    EXPECT_EQ(singleSuffixOf("Video (AVI) (*.avi)"), "avi");
    EXPECT_EQ(singleSuffixOf("All (*.nml *.nma)"), "");
    EXPECT_EQ(singleSuffixOf("Everything (*)"), "");
}

// The dialogs list files through a file system model with the dialog's own filter flags.
TEST(AnimDialogFilter, PatternsMatchUpperCaseNames)
{
    QTemporaryDir folder;
    for (const char* name : {"LOUD.NML", "quiet.nma", "other.txt"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog(nullptr, QString(), folder.path(), qtFileFilter("x|*.nml;*.nma"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_FALSE(dialog.filter().testFlag(QDir::CaseSensitive));

    QFileSystemModel model;
    model.setFilter(dialog.filter());
    model.setNameFilters({"*.nml", "*.nma"});
    model.setNameFilterDisables(false);
    QSignalSpy loaded(&model, &QFileSystemModel::directoryLoaded);
    const QModelIndex root = model.setRootPath(folder.path());
    // The model lists the folder on a thread of its own: wait for it, however busy the machine.
    const QDeadlineTimer deadline(10000);
    while (model.rowCount(root) < 2 && !deadline.hasExpired())
        loaded.wait(100);
    QStringList shown;
    for (int row = 0; row < model.rowCount(root); ++row)
        shown << model.index(row, 0, root).data().toString();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"LOUD.NML", "quiet.nma"}));
}

} // namespace
