#include "ui/app/tform1.h"

#include "core/frames/frame_bars.h"
#include "core/frames/frame_edits.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/imaging/mono_preview.h"
#include "core/input/cut_geometry.h"
#include "core/text/text_placement.h"
#include "ui/app/tform1_controls.h"

#include <QMouseEvent>

namespace {

constexpr int DecorationOutline = 1;
constexpr int DecorationShadow = 2;

} // namespace

vantrel::TextStyle TForm1::textStyle() const
{
    vantrel::TextStyle style;
    style.lines = ui_->Memo1->toPlainText().split(QLatin1Char('\n'));
    if (style.lines == QStringList{QString()})
        style.lines.clear();
    if (const QListWidgetItem* font = ui_->FontList->currentItem())
        style.fontFamily = font->text();
    style.pointSize = ui_->udFont->position();
    style.bold = ui_->cboxBold->isChecked();
    style.italic = ui_->cboxItalic->isChecked();
    style.underline = ui_->cboxUnderL->isChecked();
    style.strikeOut = ui_->cboxStrikeOut->isChecked();
    style.decoration = ui_->cbFEffect->currentIndex();
    style.textColour = ui_->cbFColor->currentIndex();
    style.outlineColour = ui_->cbFontB->currentIndex();
    return style;
}

std::pair<float, float> TForm1::textPreviewScale() const
{
    return {static_cast<float>(settings_.panelWidth) / static_cast<float>(ui_->LeadFont->width()),
            static_cast<float>(settings_.panelHeight) / static_cast<float>(ui_->LeadFont->height())};
}

QPointF TForm1::textFramePosition() const
{
    const auto [sx, sy] = textPreviewScale();
    return {static_cast<float>(FontRect.Left) * sx, static_cast<float>(FontRect.Top) * sy};
}

void TForm1::DrawFont()
{
    const int current = currentFrameIndex();
    if (Frames.isEmpty()) {
        ui_->LeadFont->clear();
        return;
    }
    placedText_ = vantrel::placeableText(vantrel::RenderText(textStyle()), ui_->tbFontAngle->value());
    // The preview puts the text on whole frame pixels; the insert commands pass the exact products.
    const QPointF at = textFramePosition();
    const QImage composed = vantrel::composeText(Frames.monoFrame(current), placedText_,
                                                 static_cast<int>(at.x()), static_cast<int>(at.y()));
    ui_->LeadFont->setImage(
        vantrel::tintedPreview(composed, settings_.levels, PanelColorCode, ui_->LeadFont->size()));

    const auto [sx, sy] = textPreviewScale();
    FontRect.Right = FontRect.Left + static_cast<int>(static_cast<float>(placedText_.image.width()) / sx);
    FontRect.Bottom = FontRect.Top + static_cast<int>(static_cast<float>(placedText_.image.height()) / sy);
    ShowAreaStatus(FontRect);
}

void TForm1::LFontMDown(int x, int y)
{
    MouseDragging = true;
    MouseLastX = x;
    MouseLastY = y;
}

void TForm1::LFontMUp()
{
    MouseDragging = false;
}

void TForm1::LFontMMove(int x, int y)
{
    const int moveCursor = static_cast<int>(Qt::SizeAllCursor);
    if (MouseDragging && ViewCursor == moveCursor) {
        const int dx = x - MouseLastX;
        const int dy = y - MouseLastY;
        if (dx == 0 && dy == 0)
            return;
        const QRect old = vantrel::areaRect(FontRect);
        QRect moved = old.translated(dx, dy);
        // An edge that would leave the preview holds the text back in that direction.
        if (moved.left() < 0 || (dx > 0 && moved.x() + moved.width() > ui_->LeadFont->width()))
            moved.moveLeft(old.left());
        if (moved.top() < 0 || (dy > 0 && moved.y() + moved.height() > ui_->LeadFont->height()))
            moved.moveTop(old.top());
        vantrel::setAreaRect(FontRect, moved);
        DrawFont();
        if (dx != 0)
            MouseLastX = x;
        if (dy != 0)
            MouseLastY = y;
        return;
    }
    const bool onText = vantrel::HitTestArea(FontRect, 0.0, 0.0, x, y) != vantrel::ZoneOutside;
    if (onText && ViewCursor != moveCursor) {
        ui_->LeadFont->setCursor(Qt::SizeAllCursor);
        ViewCursor = moveCursor;
    } else if (!onText && ViewCursor == moveCursor) {
        ui_->LeadFont->setCursor(Qt::ArrowCursor);
        ViewCursor = static_cast<int>(Qt::ArrowCursor);
    }
}

void TForm1::abbInsFClick()
{
    const int current = currentFrameIndex();
    Frames.pushUndo(UndoStack, current, 1, false, true);
    DrawFont();
    const QPointF at = textFramePosition();
    vantrel::insertTextIntoFrame(Frames, current, placedText_, at);
    showMonoFrame(current);
    showPanelFrame();
    DrawFont();
}

void TForm1::abbInsFAClick()
{
    Frames.pushUndo(UndoStack, 0, Frames.count(), false, true);
    DrawFont();
    const QPointF at = textFramePosition();
    for (int i = 0; i < Frames.count(); ++i)
        vantrel::insertTextIntoFrame(Frames, i, placedText_, at);
    tbOutPreOnChange();
}

void TForm1::FontSizeChange(const QString& text)
{
    if (const auto size = vantrel::parseFrameNumber(text, ui_->udFont->minimum(), ui_->udFont->maximum())) {
        ui_->udFont->setPosition(*size);
        DrawFont();
    }
}

void TForm1::FontSizeExit()
{
    if (!vantrel::parseFrameNumber(ui_->FontSize->text(), ui_->udFont->minimum(), ui_->udFont->maximum()))
        ui_->FontSize->setText(QString::number(ui_->udFont->position()));
}

void TForm1::cbFEffectChange()
{
    const int decoration = ui_->cbFEffect->currentIndex();
    const bool withColour = decoration == DecorationOutline || decoration == DecorationShadow;
    ui_->cbFontB->setVisible(withColour);
    ui_->Label18->setVisible(withColour);
    DrawFont();
}

void TForm1::textPreviewMouse(QEvent* event)
{
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse)
        return;
    const QPoint at = mouse->position().toPoint();
    if (event->type() == QEvent::MouseButtonPress)
        LFontMDown(at.x(), at.y());
    else if (event->type() == QEvent::MouseMove)
        LFontMMove(at.x(), at.y());
    else if (event->type() == QEvent::MouseButtonRelease)
        LFontMUp();
}

void TForm1::connectTextHandlers()
{
    ui_->FontSize->installEventFilter(this);
    ui_->LeadFont->installEventFilter(this);
    ui_->LeadFont->setMouseTracking(true); // the cursor tells when the text can be dragged
    connect(ui_->Memo1, &QPlainTextEdit::textChanged, this, &TForm1::DrawFont);
    connect(ui_->tbFontAngle, &QSlider::valueChanged, this, &TForm1::DrawFont);
    for (QComboBox* list : {ui_->cbFColor, ui_->cbFontB})
        connect(list, &QComboBox::currentIndexChanged, this, &TForm1::DrawFont);
    for (QCheckBox* box : {ui_->cboxBold, ui_->cboxItalic, ui_->cboxUnderL, ui_->cboxStrikeOut})
        connect(box, &QCheckBox::clicked, this, &TForm1::DrawFont);
    connect(ui_->FontList, &QListWidget::currentRowChanged, this, &TForm1::DrawFont);
    connect(ui_->FontSize, &QLineEdit::textEdited, this, &TForm1::FontSizeChange);
    connect(ui_->udFont, &UpDown::stepped, this, &TForm1::DrawFont);
    connect(ui_->cbFEffect, &QComboBox::currentIndexChanged, this, &TForm1::cbFEffectChange);
    connect(ui_->abbInsFont, &QToolButton::clicked, this, &TForm1::abbInsFClick);
    connect(ui_->abbInsFontA, &QToolButton::clicked, this, &TForm1::abbInsFAClick);
}
