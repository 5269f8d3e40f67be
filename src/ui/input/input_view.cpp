#include "ui/input/input_view.h"

#include "core/imaging/bitmap.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

InputView::InputView(QWidget* parent)
    : QWidget(parent), horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this))
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true); // the cursor follows the zone under the mouse without a button
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
        dstLeft_ = -value;
        update();
    });
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
        dstTop_ = -value;
        update();
    });
    layoutScrollBars();
}

void InputView::setPicture(vantrel::InputPicture picture, int zoomPercent)
{
    picture_ = std::move(picture);
    rectangles_.clear(); // a new picture comes without the frames drawn over the old one
    const double zoom = zoomPercent * 0.01;
    dstWidth_ = picture_.size().width() * zoom;
    dstHeight_ = picture_.size().height() * zoom;
    // Converted at the size shown, once here, so that painting and scrolling only copy.
    zoomed_ = zoomPercent == 100 ? picture_.toImage()
                                 : vantrel::resizedNearest(picture_, QSize(static_cast<int>(dstWidth_),
                                                                           static_cast<int>(dstHeight_)));
    layoutScrollBars();
    update();
}

void InputView::clear()
{
    picture_ = {};
    zoomed_ = QImage();
    dstWidth_ = dstHeight_ = 0.0;
    rectangles_.clear();
    layoutScrollBars();
    update();
}

void InputView::setDstOrigin(double left, double top)
{
    horizontal_->setValue(static_cast<int>(-left));
    vertical_->setValue(static_cast<int>(-top));
    dstLeft_ = -horizontal_->value();
    dstTop_ = -vertical_->value();
    update();
}

void InputView::toggleRectangle(const QRect& rect)
{
    if (!rectangles_.removeOne(rect))
        rectangles_.append(rect);
    update();
}

QRect InputView::pictureViewport() const
{
    return QRect(0, 0, width() - (vertical_->isVisible() ? ScrollBarExtent : 0),
                 height() - (horizontal_->isVisible() ? ScrollBarExtent : 0));
}

void InputView::layoutScrollBars()
{
    const int zoomedWidth = static_cast<int>(dstWidth_);
    const int zoomedHeight = static_cast<int>(dstHeight_);
    // A bar takes room from the other direction, which may then need its own bar too.
    bool needsHorizontal = zoomedWidth > width();
    const bool needsVertical = zoomedHeight > height() - (needsHorizontal ? ScrollBarExtent : 0);
    needsHorizontal = zoomedWidth > width() - (needsVertical ? ScrollBarExtent : 0);
    horizontal_->setVisible(needsHorizontal);
    vertical_->setVisible(needsVertical);
    const QRect viewport = pictureViewport();
    horizontal_->setGeometry(0, height() - ScrollBarExtent, viewport.width(), ScrollBarExtent);
    vertical_->setGeometry(width() - ScrollBarExtent, 0, ScrollBarExtent, viewport.height());
    horizontal_->setRange(0, needsHorizontal ? zoomedWidth - viewport.width() : 0);
    vertical_->setRange(0, needsVertical ? zoomedHeight - viewport.height() : 0);
    horizontal_->setPageStep(std::max(viewport.width(), 1));
    vertical_->setPageStep(std::max(viewport.height(), 1));
    dstLeft_ = -horizontal_->value();
    dstTop_ = -vertical_->value();
}

void InputView::resizeEvent(QResizeEvent*)
{
    layoutScrollBars();
}

void InputView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect viewport = pictureViewport();
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (zoomed_.isNull())
        return;
    painter.setClipRect(viewport);
    painter.drawImage(QPointF(dstLeft_, dstTop_), zoomed_);
    if (rectangles_.isEmpty())
        return;
    // White through an exclusive-or inverts what lies below, so the frame shows on any picture.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    for (const QRect& rect : rectangles_)
        painter.drawRect(rect.translated(static_cast<int>(dstLeft_), static_cast<int>(dstTop_)));
}

void InputView::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->position().toPoint().x(), event->position().toPoint().y());
}

void InputView::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint().x(), event->position().toPoint().y());
}

void InputView::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->position().toPoint().x(), event->position().toPoint().y());
}
