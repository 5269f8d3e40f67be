#include "ui/app/tform1.h"

#include "ui/input/tdlg_ins.h"

vantrel::InsertPosition TForm1::askInsertPosition(int frameCount)
{
    TdlgIns dialog(frameCount, this);
    dialog.SetCountText(catalogue_.insertFrameCount.arg(frameCount));
    for (int i = 0; i < static_cast<int>(catalogue_.messageTexts.size()); ++i)
        dialog.SetText(i, catalogue_.messageTexts[static_cast<std::size_t>(i)]);
    dialogs_->execInsertDialog(dialog);
    return dialog.InsertPos();
}
