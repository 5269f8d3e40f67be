#include "ui/app/tform1.h"

#include "core/files/anim_commands.h"
#include "core/files/anim_result.h"
#include "ui/app/tform1_controls.h"
#include "ui/files/anim_dialog_filter.h"
#include "ui/input/tdlg_ins.h"

#include <QFileInfo>

namespace {

constexpr int InsertAfter = 2;

} // namespace

void TForm1::abbFLoadClick()
{
    UndoStack.Clear();
    FileDialogRequest request;
    request.folder = settings_.dirImg;
    request.filter = animOpenFilter(catalogue_.fileTexts);
    request.defaultSuffix = QStringLiteral("nml");
    const QString path = dialogs_->openFile(this, request);

    int position = -1; // stays negative when no insert position was settled
    if (!path.isEmpty()) {
        if (const int result = loadAnimation(path, position); result != vantrel::AnimOk)
            ShowError(result);
    }
    UpdateFrameBars();
    if (position >= 0)
        showFramePosition(position);
    else
        tbOutPreOnChange();
    UpdateControlState(8);
}

// Inserts the file's frames where the user says; `position` becomes the bar position to show
// (the last inserted frame) once the position is settled.
int TForm1::loadAnimation(const QString& path, int& position)
{
    const QFileInfo file(path);
    if (file.isFile())
        settings_.dirImg = file.absolutePath();
    int framesToInsert = 0;
    if (const int result = vantrel::prepareLoad(AnimFile, path, Frames.count(), framesToInsert);
        result != vantrel::AnimOk)
        return result;

    int index = vantrel::loadInsertIndex(Frames, true);
    if (!Frames.isEmpty()) {
        TdlgIns dialog(framesToInsert, this);
        for (int i = 0; i < static_cast<int>(catalogue_.messageTexts.size()); ++i)
            dialog.SetText(i, catalogue_.messageTexts[static_cast<std::size_t>(i)]);
        dialogs_->execInsertDialog(dialog);
        if (dialog.InsertPos() == 0)
            return vantrel::AnimOk;
        index = vantrel::loadInsertIndex(Frames, dialog.InsertPos() == InsertAfter);
    }
    position = index;

    vantrel::LoadedFrames loaded;
    if (const int result = vantrel::readLoadFrames(AnimFile, framesToInsert, loaded);
        result != vantrel::AnimOk)
        return result;
    const int inserted = vantrel::insertLoadedFrames(Frames, index, loaded);
    if (inserted > 0)
        PanelColorCode = static_cast<std::uint8_t>(loaded.colorCode);
    position = index + inserted;
    return vantrel::AnimOk;
}
