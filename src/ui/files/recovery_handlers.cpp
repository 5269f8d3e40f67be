#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>

namespace {

const QString CopySuffix = QStringLiteral(".recovery");

// A lock that only a dead owner leaves stale, however long a window runs.
std::unique_ptr<QLockFile> lockBeside(const QString& copyPath)
{
    auto lock = std::make_unique<QLockFile>(copyPath + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

void TForm1::offerRecovery()
{
    if (paths_.recoveryFolder.isEmpty() || recovery_)
        return;
    QDir folder(paths_.recoveryFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        return;
    // One copy is restored a start; any other left waits for the next, so that none replaces another.
    QString restored;
    std::unique_ptr<QLockFile> restoredLock;
    for (const QFileInfo& copy :
         folder.entryInfoList({QLatin1Char('*') + CopySuffix}, QDir::Files, QDir::Time)) {
        std::unique_ptr<QLockFile> lock = lockBeside(copy.filePath());
        // A lock that can be taken was left by a window that ended without a confirmed exit.
        if (lock->tryLock(0) && restoreOrDiscard(copy.filePath())) {
            restored = copy.filePath();
            restoredLock = std::move(lock);
            break;
        }
    }
    const QString own = folder.filePath(QStringLiteral("store-%1-%2%3")
                                            .arg(QCoreApplication::applicationPid())
                                            .arg(QDateTime::currentMSecsSinceEpoch())
                                            .arg(CopySuffix));
    recoveryLock_ = lockBeside(own);
    if (!recoveryLock_->tryLock(0)) {
        recoveryLock_.reset();
        return;
    }
    recovery_ = std::make_unique<vantrel::RecoveryWriter>(own);
    recoveryRevision_ = Frames.revision() + 1; // whatever the store holds now gets a copy
    keepRecoveryCopy();
    if (!restored.isEmpty()) {
        // The restored frames are in one copy or the other at every moment.
        recovery_->waitUntilIdle();
        QFile::remove(restored);
    }
}

// True when the frames were restored; their copy stays until the window has one of its own.
bool TForm1::restoreOrDiscard(const QString& copyPath)
{
    QFile file(copyPath);
    vantrel::RecoveryContents contents;
    // A copy from a larger panel than today's is refused by the reader, as a damaged one is.
    const auto result = file.open(QIODevice::ReadOnly)
                            ? vantrel::readRecoveryCopy(
                                  file.readAll(), {settings_.panelWidth, settings_.panelHeight}, contents)
                            : vantrel::RecoveryResult::Damaged;
    file.close();
    if (result != vantrel::RecoveryResult::Ok) {
        // Kept aside for whoever wants to look at it; never read again at start.
        const QString aside = copyPath + QStringLiteral(".kept");
        QFile::remove(aside);
        QFile::rename(copyPath, aside);
        ShowError(vantrel::ErrorItem::Damaged, aside);
        return false;
    }
    if (dialogs_->ask(this, windowTitle(), catalogue_.recoveryQuestion.arg(contents.colour.size()),
                      catalogue_.recoveryRestore, catalogue_.recoveryDiscard)) {
        restoreFrames(contents);
        return true;
    }
    QFile::remove(copyPath);
    return false;
}

void TForm1::restoreFrames(const vantrel::RecoveryContents& contents)
{
    Frames.clear();
    UndoStack.Clear();
    // Stored as a loaded file's frames are: levels in the mono palette, tinted when shown.
    for (qsizetype i = 0; i < contents.colour.size(); ++i)
        Frames.insertFrame(contents.colour[i], contents.mono[i], int(i));
    PanelColorCode = contents.colorCode;
    SetColorBarsFromCode(contents.colorCode);
    UpdateFrameBars();
    showFramePosition(1);
    UpdateControlState(vantrel::ControlReason::StoreChanged);
}

// The store calls it after every change of its frames, the window after a new colour of loaded
// frames; the copy is written off this thread.
void TForm1::keepRecoveryCopy()
{
    if (!recovery_ || (Frames.revision() == recoveryRevision_ && PanelColorCode == recoveryCode_))
        return;
    recoveryRevision_ = Frames.revision();
    recoveryCode_ = PanelColorCode;
    if (Frames.isEmpty()) {
        recovery_->remove(); // an empty store has no copy
        return;
    }
    recovery_->submit(
        {Frames.colourFrames(), Frames.monoFrames(), PanelColorCode, Frames.colourFrame(0).size()});
}

// A confirmed exit loses the frames on purpose: nothing to offer back.
void TForm1::dropRecoveryCopy()
{
    if (!recovery_)
        return;
    recovery_->remove();
    recovery_.reset();
    recoveryLock_.reset();
}
