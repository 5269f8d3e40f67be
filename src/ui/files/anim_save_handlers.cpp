#include "ui/app/tform1.h"

#include "core/files/anim_commands.h"
#include "core/files/anim_kind.h"
#include "core/files/anim_result.h"
#include "core/files/anim_writer.h"
#include "ui/files/anim_dialog_filter.h"

#include <QDir>
#include <QFileInfo>

void TForm1::abbFSaveClick()
{
    const int count = Frames.count();
    if (count == 0)
        return;
    FileDialogRequest request;
    request.folder = settings_.dirImg;
    request.filter = animSaveFilter(catalogue_.fileTexts, count);
    request.defaultSuffix = vantrel::defaultAnimExtension(count);
    request.confirmOverwrite = false; // asked below, about the file really written
    QString path = dialogs_->saveFile(this, request);
    if (path.isEmpty())
        return;
    path = vantrel::withDefaultExtension(path, request.defaultSuffix);
    if (!confirmSaveTarget(path, count))
        return;
    settings_.dirImg = QFileInfo(path).absolutePath();

    const QList<QImage>& frames = Frames.monoFrames();
    if (const int result = vantrel::saveStoreFrames(AnimFile, path, frames, PanelColorCode);
        result != vantrel::AnimOk)
        showSaveError(result, frames);
    else if (AnimFile.kind() == vantrel::AnimKind::Animation || count == 1)
        Frames.markSaved();
    // Saving walks the mono list and leaves its selection on the last frame.
    Frames.selectMono(count - 1);
}

// Asks before a one-frame file drops frames and before an existing file is replaced, naming
// the file that will really be written (a long base name is cut).
bool TForm1::confirmSaveTarget(const QString& path, int frameCount)
{
    const QString target = vantrel::animFileNameFor(path);
    const vantrel::AnimKind kind = vantrel::animKindOf(target);
    const QString caption = QStringLiteral("Vantrel");
    if (kind == vantrel::AnimKind::Frame && frameCount > 1 &&
        !dialogs_->confirm(this, caption, catalogue_.singleFrameFile.arg(frameCount - 1)))
        return false;
    if (kind != vantrel::AnimKind::Other && QFileInfo::exists(target) &&
        !dialogs_->confirm(this, caption, catalogue_.overwriteConfirm.arg(QDir::toNativeSeparators(target))))
        return false;
    return true;
}

void TForm1::showSaveError(int code, const QList<QImage>& frames)
{
    if (code != vantrel::AnimFrameGeometry) {
        ShowError(vantrel::animErrorItem(code), AnimFile.systemReason());
        return;
    }
    const int other = vantrel::firstFrameOfOtherSize(frames);
    QString text = catalogue_.frameTooLarge;
    if (other > 0) {
        const QSize first = frames.first().size();
        const QSize size = frames[other].size();
        text = catalogue_.frameSizeDiffers.arg(other + 1)
                   .arg(size.width())
                   .arg(size.height())
                   .arg(first.width())
                   .arg(first.height());
    }
    if (text.isEmpty())
        ShowError(vantrel::animErrorItem(code));
    else
        dialogs_->showMessage(this, QStringLiteral("Error"), text, MessageIcon::Warning);
}
