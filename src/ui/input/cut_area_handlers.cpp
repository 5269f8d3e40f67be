#include "ui/app/tform1.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/imaging/mono_preview.h"
#include "core/input/cut_geometry.h"
#include "ui/app/tform1_controls.h"
#include "ui/input/input_view.h"

#include <QAction>
#include <QMenu>

namespace {

Qt::CursorShape zoneCursor(int zone)
{
    switch (zone) {
    case vantrel::ZoneTopLeft:
    case vantrel::ZoneBottomRight:
        return Qt::SizeFDiagCursor;
    case vantrel::ZoneTopRight:
    case vantrel::ZoneBottomLeft:
        return Qt::SizeBDiagCursor;
    case vantrel::ZoneTop:
    case vantrel::ZoneBottom:
        return Qt::SizeVerCursor;
    case vantrel::ZoneLeft:
    case vantrel::ZoneRight:
        return Qt::SizeHorCursor;
    case vantrel::ZoneInside:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

vantrel::TCutArea* TForm1::shownArea()
{
    return StartArea.Shown ? &StartArea : EndArea.Shown ? &EndArea : nullptr;
}

void TForm1::DrawArea(const vantrel::TCutArea& area)
{
    ui_->LeadIn->toggleRectangle(vantrel::areaRect(area));
}

vantrel::MarkedRegion& TForm1::markedRegion(const vantrel::TCutArea& area)
{
    return &area == &StartArea ? startRegion_ : endRegion_;
}

void TForm1::ClampArea(vantrel::TCutArea& area)
{
    // A clamp fits the area to the picture at this zoom; the region it marks stays for the next.
    vantrel::MarkedRegion& region = markedRegion(area);
    const bool untouched = region.view == vantrel::areaRect(area);
    vantrel::ClampArea(area, ui_->LeadIn->dstWidth(), ui_->LeadIn->dstHeight());
    if (untouched)
        region.view = vantrel::areaRect(area);
}

void TForm1::ScrollToArea(vantrel::TCutArea& area)
{
    area.FrameNo = ui_->tbInFrame->value();
    const QPoint origin = vantrel::scrollToArea(area, ui_->LeadIn->width(), ui_->LeadIn->height());
    ui_->LeadIn->setDstOrigin(origin.x(), origin.y());
}

vantrel::CutScaling TForm1::cutScaling() const
{
    return settings_.smoothCut ? vantrel::CutScaling::Smooth : vantrel::CutScaling::Nearest;
}

// Smooth scaling is a choice kept in the settings, offered on both area buttons.
void TForm1::connectCutScalingMenu()
{
    ActSmooth = new QAction(catalogue_.smoothScaling, this);
    ActSmooth->setObjectName(QStringLiteral("ActSmooth"));
    ActSmooth->setCheckable(true);
    ActSmooth->setChecked(settings_.smoothCut);
    connect(ActSmooth, &QAction::toggled, this, [this](bool smooth) {
        settings_.smoothCut = smooth;
        if (const vantrel::TCutArea* area = shownArea())
            PreviewArea(*area);
    });
    for (QToolButton* button : {ui_->abbCutS, ui_->abbCutE}) {
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this, [this, button](QPoint at) {
            QMenu menu(this);
            menu.addAction(ActSmooth);
            menu.exec(button->mapToGlobal(at));
        });
    }
}

void TForm1::PreviewArea(const vantrel::TCutArea& area)
{
    const QImage cut = vantrel::CutArea(ui_->LeadIn->picture(), area, inputZoomPercent(),
                                        {settings_.panelWidth, settings_.panelHeight}, cutScaling());
    ui_->LeadColor->setImage(vantrel::FitToView(cut, ui_->LeadColor->size()));
    ui_->LeadMono->setImage(vantrel::monoPreview(cut, ui_->cbDither->currentIndex(), settings_.levels,
                                                 PanelColorCode, ui_->LeadMono->size()));
}

// An area that comes into editing on the frame shown: inside the picture, in view, previewed
// and drawn.
void TForm1::showArea(vantrel::TCutArea& area)
{
    ClampArea(area);
    ScrollToArea(area);
    PreviewArea(area);
    DrawArea(area);
    ShowAreaStatus(area); // the frame number may have changed with the frame shown
}

void TForm1::abbCutSClick()
{
    cutButtonClick(StartArea, ui_->abbCutS, EndArea, ui_->abbCutE);
}

void TForm1::abbCutEClick()
{
    cutButtonClick(EndArea, ui_->abbCutE, StartArea, ui_->abbCutS);
}

void TForm1::cutButtonClick(vantrel::TCutArea& area, QToolButton* button, vantrel::TCutArea& other,
                            QToolButton* otherButton)
{
    auto stopEditing = [this](vantrel::TCutArea& edited) {
        edited.FrameNo = ui_->tbInFrame->value();
        if (edited.Shown)
            DrawArea(edited);
        edited.Shown = 0;
        ShowAreaStatus(edited);
    };
    if (!button->isChecked()) {
        stopEditing(area);
        tbOutPreOnChange();
        return;
    }
    if (otherButton->isChecked()) {
        otherButton->setChecked(false);
        stopEditing(other);
    }
    area.Shown = 1;
    if (ui_->tbInFrame->value() == area.FrameNo)
        showArea(area);
    else
        ui_->tbInFrame->setValue(area.FrameNo); // the frame change shows it
}

void TForm1::LeadInOnMDown(int x, int y)
{
    MouseLastX = x;
    MouseLastY = y;
    MouseDragging = true;
    AreaAspect = 0.0f;
    const vantrel::TCutArea* area = shownArea();
    const QRect rect = area ? vantrel::areaRect(*area) : QRect();
    if (ui_->ckFix->isChecked() && rect.width() != 0)
        AreaAspect = static_cast<float>(rect.height()) / static_cast<float>(rect.width());
}

void TForm1::LeadInOnMMove(int x, int y)
{
    vantrel::TCutArea* area = shownArea();
    if (!MouseDragging) {
        const int zone =
            area ? vantrel::HitTestArea(*area, ui_->LeadIn->dstLeft(), ui_->LeadIn->dstTop(), x, y) : 0;
        const int cursor = static_cast<int>(zoneCursor(zone));
        if (cursor != ViewCursor) {
            ui_->LeadIn->setCursor(zoneCursor(zone));
            ViewCursor = cursor;
        }
        AreaHitZone = zone;
        return;
    }
    if (AreaHitZone == vantrel::ZoneOutside || !area)
        return;
    const int dx = x - MouseLastX;
    const int dy = y - MouseLastY;
    vantrel::InputViewGeometry view{ui_->LeadIn->dstLeft(),   ui_->LeadIn->dstTop(), ui_->LeadIn->dstWidth(),
                                    ui_->LeadIn->dstHeight(), ui_->LeadIn->width(),  ui_->LeadIn->height()};
    const vantrel::TCutArea before = *area;
    if (vantrel::DragArea(*area, AreaHitZone, AreaAspect, dx, dy, view)) {
        ui_->LeadIn->toggleRectangle(vantrel::areaRect(before));
        ui_->LeadIn->setDstOrigin(view.dstLeft, view.dstTop);
        PreviewArea(*area);
        DrawArea(*area);
        ShowAreaStatus(*area);
    }
    MouseLastX = x;
    MouseLastY = y;
}

void TForm1::LeadInOnMUp()
{
    MouseDragging = false;
    if (!ui_->ckLink->isChecked())
        return;
    const vantrel::TCutArea* from = shownArea();
    if (!from)
        return;
    vantrel::TCutArea& to = from == &StartArea ? EndArea : StartArea;
    to.Left = from->Left;
    to.Top = from->Top;
    to.Right = from->Right;
    to.Bottom = from->Bottom;
}

void TForm1::ckLinkClick()
{
    if (!ui_->ckLink->isChecked())
        return;
    const vantrel::TCutArea& from = EndArea.Shown ? EndArea : StartArea;
    vantrel::TCutArea& to = EndArea.Shown ? StartArea : EndArea;
    to.Left = from.Left;
    to.Top = from.Top;
    to.Right = from.Right;
    to.Bottom = from.Bottom;
}

void TForm1::abbAreaResizeClick()
{
    const QSize size =
        vantrel::defaultAreaSize(ui_->LeadIn->dstWidth(), ui_->LeadIn->dstHeight(), ViewWidth, ViewHeight);
    if (vantrel::TCutArea* area = shownArea()) {
        DrawArea(*area);
        area->Right = area->Left + size.width();
        area->Bottom = area->Top + size.height();
        PreviewArea(*area);
        DrawArea(*area);
        if (ui_->ckLink->isChecked()) {
            vantrel::TCutArea& other = area == &StartArea ? EndArea : StartArea;
            other.Right = other.Left + size.width();
            other.Bottom = other.Top + size.height();
        }
    }
    ShowAreaStatus(StartArea);
    ShowAreaStatus(EndArea);
}
