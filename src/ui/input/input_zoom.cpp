#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"

int TForm1::inputZoomPercent() const
{
    return vantrel::scalePercent(ui_->cbScale->currentText());
}
