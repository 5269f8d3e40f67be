#include "ui/app/tform1.h"

#include "core/files/anim_commands.h"
#include "core/files/anim_kind.h"
#include "core/files/anim_result.h"
#include "ui/files/anim_dialog_filter.h"

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
    QString path = dialogs_->saveFile(this, request);
    if (path.isEmpty())
        return;
    path = vantrel::withDefaultExtension(path, request.defaultSuffix);
    settings_.dirImg = QFileInfo(path).absolutePath();

    if (const int result = vantrel::saveStoreFrames(AnimFile, path, Frames.monoFrames(), PanelColorCode);
        result != vantrel::AnimOk)
        showSaveError(result);
    // Saving walks the mono list and leaves its selection on the last frame.
    Frames.selectMono(count - 1);
}

void TForm1::showSaveError(int code)
{
    if (code == vantrel::AnimFrameGeometry && !catalogue_.frameTooLarge.isEmpty())
        dialogs_->showMessage(this, QStringLiteral("Error"), catalogue_.frameTooLarge, MessageIcon::Warning);
    else
        ShowError(code);
}
