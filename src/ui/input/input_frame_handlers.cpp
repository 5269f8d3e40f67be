#include "ui/app/tform1.h"

#include "core/frames/frame_bars.h"
#include "core/input/cut_geometry.h"
#include "ui/app/tform1_controls.h"
#include "ui/files/anim_dialog_filter.h"
#include "ui/input/input_view.h"

#include <QFileInfo>

#include <climits>

#include <algorithm>

namespace {

constexpr int ReducedNoteMs = 10000;

QString pictureOpenFilter(const std::array<QString, 5>& fileTexts)
{
    const QString videos = QStringLiteral("*.avi;*.mp4;*.m4v;*.mov;*.mkv;*.webm;*.gif");
    const QString pictures =
        QStringLiteral("*.jpg;*.jpeg;*.png;*.bmp;*.webp;*.tif;*.tiff;*.heic;*.heif;*.avif");
    return qtFileFilter(fileTexts[0] + u'|' + pictures + u';' + videos + u'|' + fileTexts[1] + u'|' +
                        pictures + u'|' + fileTexts[4] + u'|' + videos);
}

} // namespace

void TForm1::abbIPClick()
{
    FileDialogRequest request;
    request.texts = pictureDialogTexts_;
    request.folder = settings_.dirPicIn;
    request.filter = pictureOpenFilter(catalogue_.fileTexts);
    const QString path = dialogs_->openFile(this, request);
    if (!path.isEmpty())
        addInputFile(path);
}

// Adds the picture or video where the user says, as the add button does.
void TForm1::addInputFile(const QString& path)
{
    int frameCount = 0;
    if (const int code = vantrel::TInputFrameList::Probe(path, frameCount); code != 0) {
        ShowError(vantrel::inputErrorItem(code));
        return;
    }
    settings_.dirPicIn = QFileInfo(path).absolutePath();
    bool after = false;
    if (InputFrames.TotalFrames() != 0) {
        const vantrel::InsertPosition answer = askInsertPosition(frameCount);
        if (answer == vantrel::InsertCancelled)
            return;
        after = answer == vantrel::InsertAfter;
    }
    if (const int code = after ? InputFrames.AddAfter(path) : InputFrames.AddBefore(path); code != 0) {
        ShowError(vantrel::inputErrorItem(code));
        return;
    }
    const vantrel::TInputFile& added = *InputFrames.Current();
    if (added.FrameCount() >= 2 && added.FrameDelay() > 0)
        TimerIn.setInterval(added.FrameDelay());
    if (added.FullSize() != added.FrameSize())
        ui_->StatusBar1->showMessage(catalogue_.pictureReduced.arg(added.FullSize().width())
                                         .arg(added.FullSize().height())
                                         .arg(added.FrameSize().width())
                                         .arg(added.FrameSize().height()),
                                     ReducedNoteMs);
    SetInputFrameCount(InputFrames.TotalFrames());
    const int position = InputFrames.CurrentFrame() + 1;
    if (ui_->tbInFrame->value() == position)
        frmNoOnChange();
    else
        GoToInputFrame(position);
    UpdateControlState(vantrel::ControlReason::InputListChanged);
}

void TForm1::abbDelPicClick()
{
    InputFrames.DeleteCurrent();
    SetInputFrameCount(std::max(InputFrames.TotalFrames(), 1));
    areaFramesAtMost(std::max(InputFrames.TotalFrames(), 1));
    frmNoOnChange();
    UpdateControlState(vantrel::ControlReason::InputListChanged);
}

void TForm1::abbInClrClick()
{
    InputFrames.Clear();
    SetInputFrameCount(1);
    areaFramesAtMost(1);
    frmNoOnChange();
    UpdateControlState(vantrel::ControlReason::InputListChanged);
}

void TForm1::areaFramesAtMost(int frameNo)
{
    for (vantrel::TCutArea* area : {&StartArea, &EndArea}) {
        area->FrameNo = std::min(area->FrameNo, frameNo);
        ShowAreaStatus(*area);
    }
}

void TForm1::SetInputFrameCount(int n)
{
    QSlider* bar = ui_->tbInFrame;
    bar->setMaximum(n);
    bar->setTickInterval(std::max((n - bar->minimum()) / 10, 1));
    const std::optional<int> shown = vantrel::parseFrameNumber(ui_->FrmNo->text(), 0, INT_MAX);
    if (shown && *shown > n)
        ui_->FrmNo->setText(QString::number(n));
}

void TForm1::GoToInputFrame(int position)
{
    // Leaving a frame hides an area no button keeps in editing.
    const std::pair<vantrel::TCutArea*, QToolButton*> areas[] = {{&EndArea, ui_->abbCutE},
                                                                 {&StartArea, ui_->abbCutS}};
    for (const auto& [area, button] : areas) {
        if (area->Shown) {
            DrawArea(*area);
            if (!button->isChecked())
                area->Shown = 0;
        }
    }
    ui_->tbInFrame->setValue(position);
}

void TForm1::tbInFrameOnChange()
{
    const QString text = QString::number(ui_->tbInFrame->value());
    ui_->FrmNo->setText(text);
    ui_->tbInFrame->setToolTip(text);
    frmNoOnChange();
}

void TForm1::frmNoOnChange()
{
    if (InputFrames.TotalFrames() == 0) {
        ui_->LeadIn->clear();
        return;
    }
    const std::optional<int> number =
        vantrel::parseFrameNumber(ui_->FrmNo->text(), ui_->tbInFrame->minimum(), ui_->tbInFrame->maximum());
    if (!number)
        return;
    if (ui_->tbInFrame->value() != *number) {
        ui_->tbInFrame->setValue(*number); // its change handler comes back here
        return;
    }
    vantrel::TCutArea* area = shownArea();
    ShowInputFrame();
    ui_->abbDelPic->setToolTip(catalogue_.deleteInputFile.arg(InputFrames.Current()->FileName()));
    if (area)
        showArea(*area);
}

void TForm1::ShowInputFrame()
{
    vantrel::InputPicture frame;
    const int code = InputFrames.SelectFrame(ui_->FrmNo->text().toInt() - 1, frame);
    ui_->LeadIn->setPicture(frame, inputZoomPercent());
    if (code != 0) {
        // One box for a file gone from disk, not one per tick of a playing player.
        if (ui_->abbInFramePlay->isChecked())
            abbInFrameStopClick();
        ShowError(vantrel::inputErrorItem(code));
    }

    // A smaller picture is centred; a larger one fills the view and scrolls.
    const int room = InputView::ScrollBarExtent;
    const QSize panel = ui_->PanelIn->size();
    int w = static_cast<int>(ui_->LeadIn->dstWidth());
    int h = static_cast<int>(ui_->LeadIn->dstHeight());
    if (panel.width() - 2 < w)
        h += room;
    if (panel.height() - 2 < h)
        w += room;
    int left = 1;
    int top = 1;
    if (panel.width() - 2 > w)
        left = (panel.width() - w - 2) / 2;
    if (panel.height() - 2 > h)
        top = (panel.height() - h - 2) / 2;
    if (left == 1)
        w = panel.width() - 2;
    if (top == 1)
        h = panel.height() - 2;
    ui_->Panel10->setGeometry(left, top, w, h);
    ui_->LeadIn->setGeometry(0, 0, w, h);
}

void TForm1::cbScaleOnChange()
{
    // The areas keep marking the same part of the picture at the new zoom.
    vantrel::TCutArea* area = shownArea();
    if (area && ui_->LeadIn->hasPicture())
        DrawArea(*area);
    const int zoom = inputZoomPercent();
    vantrel::rezoomArea(StartArea, startRegion_, areaZoomPercent_, zoom);
    vantrel::rezoomArea(EndArea, endRegion_, areaZoomPercent_, zoom);
    areaZoomPercent_ = zoom;
    ShowAreaStatus(StartArea);
    ShowAreaStatus(EndArea);
    if (!ui_->LeadIn->hasPicture())
        return;
    ShowInputFrame();
    if (area)
        showArea(*area); // scrolled into view at the new zoom
}
