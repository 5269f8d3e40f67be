#include "ui/app/tform1.h"

#include "core/files/anim_commands.h"
#include "core/files/anim_result.h"
#include "ui/app/tform1_controls.h"
#include "ui/files/anim_dialog_filter.h"

#include <QFileInfo>

void TForm1::abbFLoadClick()
{
    FileDialogRequest request;
    request.folder = settings_.dirImg;
    request.filter = animOpenFilter(catalogue_.fileTexts);
    request.defaultSuffix = QStringLiteral("nml");
    loadAnimationFile(dialogs_->openFile(this, request));
}

// The load after its dialog; an empty path (a cancelled dialog) changes no frame.
void TForm1::loadAnimationFile(const QString& path)
{
    UndoStack.Clear();
    int position = -1; // stays negative when no insert position was settled
    if (!path.isEmpty()) {
        if (const int result = loadAnimation(path, position); result != vantrel::AnimOk)
            ShowError(vantrel::animErrorItem(result), AnimFile.systemReason());
    }
    UpdateFrameBars();
    if (position >= 0)
        showFramePosition(position);
    else
        tbOutPreOnChange();
    UpdateControlState(vantrel::ControlReason::StoreChanged);
}

// Reads and checks the whole file, then inserts its frames where the user says; `position`
// becomes the bar position to show (the last inserted frame) once the position is settled.
int TForm1::loadAnimation(const QString& path, int& position)
{
    const QFileInfo file(path);
    if (file.isFile())
        settings_.dirImg = file.absolutePath();
    vantrel::LoadedFrames loaded;
    if (const int result = vantrel::loadFramesForStore(AnimFile, path, Frames.count(), loaded);
        result != vantrel::AnimOk)
        return result;

    int index = 0;
    if (!Frames.isEmpty()) {
        const vantrel::InsertPosition answer = askInsertPosition(static_cast<int>(loaded.mono.size()));
        if (answer == vantrel::InsertCancelled)
            return vantrel::AnimOk;
        index = vantrel::insertIndexAt(Frames.count(), currentFrameIndex(), answer == vantrel::InsertAfter);
    }
    position = index;

    const bool wasSaved = !Frames.hasUnsavedChanges();
    const int inserted = vantrel::insertLoadedFrames(Frames, index, loaded);
    if (inserted > 0) {
        PanelColorCode = static_cast<std::uint8_t>(loaded.colorCode);
        keepRecoveryCopy(); // the frames were copied as they came, this is their colour
    }
    // The store now matches files on disk only when it did before.
    if (wasSaved)
        Frames.markSaved();
    position = index + inserted;
    if (inserted < loaded.fileFrames)
        dialogs_->showMessage(
            this, QStringLiteral("Vantrel"),
            catalogue_.framesLeftOut.arg(inserted).arg(loaded.fileFrames).arg(loaded.fileFrames - inserted),
            MessageIcon::None);
    return vantrel::AnimOk;
}
