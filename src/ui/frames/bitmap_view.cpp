#include "ui/frames/bitmap_view.h"

#include <QPainter>

BitmapView::BitmapView(QWidget* parent) : QWidget(parent)
{
    // Views are looked at, never typed into.
    setFocusPolicy(Qt::NoFocus);
}

void BitmapView::setImage(QImage image)
{
    image_ = std::move(image);
    update();
}

void BitmapView::clear()
{
    setImage(QImage());
}

void BitmapView::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}
