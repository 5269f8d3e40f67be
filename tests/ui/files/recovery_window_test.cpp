#include "ui/support/frame_window_test.h"

#include "core/app/atomic_save.h"
#include "core/files/panel_levels.h"
#include "core/files/recovery_copy.h"
#include "core/imaging/effects.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSlider>
#include <QThread>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class RecoveryWindow : public FrameWindowTest
{
protected:
    // A copy of marked frames whose window died: its lock names a process that is gone.
    QString leaveCopy(const QByteArray& bytes, const QString& name = "store-1.recovery")
    {
        recoveryFolder = QDir(folderPath()).filePath("state");
        EXPECT_TRUE(QDir().mkpath(recoveryFolder));
        const QString copy = QDir(recoveryFolder).filePath(name);
        EXPECT_EQ(vantrel::saveBytesAtomically(copy, bytes), vantrel::Saved);
        const pid_t owner = fork();
        if (owner == 0) {
            QLockFile lock(copy + ".lock");
            lock.tryLock(0);
            _exit(0); // without unlocking, as a crash would
        }
        waitpid(owner, nullptr, 0);
        EXPECT_TRUE(QFile::exists(copy + ".lock"));
        return copy;
    }

    // The copy at `path` once it holds what `ready` wants, or as it is after 10 s.
    static vantrel::RecoveryContents
    readCopyUntil(const QString& path, const std::function<bool(const vantrel::RecoveryContents&)>& ready)
    {
        const QDeadlineTimer deadline(10000);
        vantrel::RecoveryContents copy;
        do {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                vantrel::readRecoveryCopy(file.readAll(), {160, 54}, copy);
            if (ready(copy))
                break;
            QThread::msleep(10);
        } while (!deadline.hasExpired());
        return copy;
    }

    // The copies in the folder once the window's writer has had time to write.
    QStringList copiesAfterWriting(int wanted)
    {
        const QDeadlineTimer deadline(10000);
        QStringList copies;
        do {
            copies = QDir(recoveryFolder).entryList({"*.recovery"}, QDir::Files);
            if (copies.size() == wanted)
                break;
            QThread::msleep(10);
        } while (!deadline.hasExpired());
        return copies;
    }
};

TEST_F(RecoveryWindow, ACopyLeftByAStoppedWindowIsOfferedRestoredAndKeptUntilAConfirmedExit)
{
    vantrel::RecoveryContents left;
    left.panelSize = {160, 54};
    left.colorCode = 0x24;
    for (const int mark : {5, 9, 2}) {
        left.colour.append(markedPicture(mark));
        left.mono.append(markedMono(mark));
    }
    const QString copy = leaveCopy(vantrel::writeRecoveryCopy(left));
    open();
    window().offerRecovery();

    ASSERT_EQ(dialogs().questions.size(), 1u);
    EXPECT_TRUE(dialogs().questions[0].text.contains("3")) << dialogs().questions[0].text.toStdString();
    vantrel::FrameStore& frames = window().frameStore();
    ASSERT_EQ(frames.count(), 3);
    EXPECT_EQ(markOf(frames.colourFrame(1)), 9);
    EXPECT_EQ(markOf(frames.monoFrame(2)), 2);
    EXPECT_EQ(window().panelColorCode(), 0x24);
    EXPECT_EQ(window().undoStack().count(), 0);
    EXPECT_FALSE(QFile::exists(copy));

    // The window keeps a copy of its own, of what it now holds.
    const QStringList own = copiesAfterWriting(1);
    ASSERT_EQ(own.size(), 1);
    const QString ownPath = QDir(recoveryFolder).filePath(own[0]);
    EXPECT_EQ(readCopyUntil(ownPath, [](const auto& copy) { return copy.colour.size() == 3; }).colour.size(),
              3);

    // Every change of the store is copied: more frames, a new colour, then none and no copy.
    addFrames(2);
    EXPECT_EQ(readCopyUntil(ownPath, [](const auto& copy) { return copy.colour.size() == 5; }).colour.size(),
              5);
    // Green 3 in code 0x24 (red 2, green 1) makes 0x2C.
    control<QSlider>("tbGreen")->setValue(3);
    EXPECT_EQ(readCopyUntil(ownPath, [](const auto& copy) { return copy.colorCode == 0x2C; }).colorCode,
              0x2C);
    // An effect on the frame shown alone is copied too.
    const int shown = frames.monoSelection();
    const QImage before = vantrel::toPanelLevels(frames.monoFrame(shown));
    control<QComboBox>("cbEffect")->setCurrentIndex(vantrel::Negative);
    control<QAbstractButton>("sbDesideEf")->click();
    const QImage after = vantrel::toPanelLevels(frames.monoFrame(shown));
    ASSERT_NE(after, before);
    const auto copied = readCopyUntil(ownPath, [&](const auto& copy) {
        return copy.mono.size() == 5 && vantrel::toPanelLevels(copy.mono[shown]) == after;
    });
    EXPECT_EQ(vantrel::toPanelLevels(copied.mono.value(shown)), after);
    control<QAbstractButton>("abbOutPreClr")->click();
    EXPECT_TRUE(copiesAfterWriting(0).isEmpty());
    addFrames(1);
    ASSERT_EQ(copiesAfterWriting(1).size(), 1);

    dialogs().confirmAnswers = {true};
    window().close();
    EXPECT_TRUE(QDir(recoveryFolder).entryList({"*.recovery"}, QDir::Files).isEmpty());
}

TEST_F(RecoveryWindow, ALoadedAnimationIsCopiedWithItsColour)
{
    recoveryFolder = QDir(folderPath()).filePath("state");
    open();
    window().offerRecovery();
    dialogs().fileAnswers.push_back(writeAnimation("tinted.nml", {markedMono(7)}, 0x25));
    control<QAbstractButton>("abbFLoad")->click();
    const QStringList own = copiesAfterWriting(1);
    ASSERT_EQ(own.size(), 1);
    const QString path = QDir(recoveryFolder).filePath(own[0]);
    EXPECT_EQ(readCopyUntil(path, [](const auto& copy) { return copy.colorCode == 0x25; }).colorCode, 0x25);
}

TEST_F(RecoveryWindow, OneCopyIsRestoredAStartAndAnotherWaitsForTheNext)
{
    const QString one =
        leaveCopy(vantrel::writeRecoveryCopy({{markedPicture(1)}, {markedMono(1)}, 0x3F, {160, 54}}),
                  "store-1.recovery");
    const QString two = leaveCopy(
        vantrel::writeRecoveryCopy(
            {{markedPicture(2), markedPicture(3)}, {markedMono(2), markedMono(3)}, 0x3F, {160, 54}}),
        "store-2.recovery");
    open();
    window().offerRecovery();
    ASSERT_EQ(dialogs().questions.size(), 1u);
    const int restored = window().frameStore().count();
    ASSERT_TRUE(restored == 1 || restored == 2);
    EXPECT_NE(QFile::exists(one), restored == 1);
    EXPECT_NE(QFile::exists(two), restored == 2);
}

TEST_F(RecoveryWindow, ADamagedCopyIsKeptAsideWithTheErrorBox)
{
    QByteArray damaged = vantrel::writeRecoveryCopy({{markedPicture(1)}, {markedMono(1)}, 0x3F, {160, 54}});
    damaged.chop(3);
    const QString copy = leaveCopy(damaged);
    open();
    window().offerRecovery();
    EXPECT_TRUE(dialogs().questions.empty());
    ASSERT_EQ(dialogs().messages.size(), 1u);
    EXPECT_TRUE(dialogs().messages[0].text.contains(copy + ".kept"));
    EXPECT_TRUE(QFile::exists(copy + ".kept"));
    EXPECT_TRUE(window().frameStore().isEmpty());
}

} // namespace
