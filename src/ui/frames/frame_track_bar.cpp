#include "ui/frames/frame_track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {

constexpr int TickLength = 4;

} // namespace

FrameTrackBar::FrameTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void FrameTrackBar::setTickPositions(QList<int> positions)
{
    if (positions == ticks_)
        return;
    ticks_ = std::move(positions);
    update();
}

void FrameTrackBar::paintEvent(QPaintEvent*)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The style would draw its own evenly spaced ticks; only groove and handle come from it.
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    QPainter painter(this);
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const int handle = style()->pixelMetric(QStyle::PM_SliderLength, &option, this);
    const int span = groove.width() - handle;
    const int bottom = height() - 1;
    painter.setPen(palette().color(QPalette::WindowText));
    for (int tick : ticks_) {
        if (tick < minimum() || tick > maximum())
            continue;
        const int x = groove.left() + handle / 2 +
                      QStyle::sliderPositionFromValue(minimum(), maximum(), tick, span, option.upsideDown);
        painter.drawLine(x, bottom - TickLength, x, bottom);
    }
}
