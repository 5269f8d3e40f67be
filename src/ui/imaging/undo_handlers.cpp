#include "ui/app/tform1.h"

void TForm1::ExeUndo()
{
    Frames.undo(UndoStack);
    // Also with nothing undone: the bar's frame becomes current and is shown again.
    tbOutPreOnChange();
}
