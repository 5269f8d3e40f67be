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
    if (image_.isNull() && autoFillBackground())
        return;
    QPainter painter(this);
    // Emptied views look as they did at start-up, not like a hole onto the panel behind.
    if (image_.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Button));
    else
        painter.drawImage(0, 0, image_);
}
