#pragma once

#include <QList>
#include <QSlider>

// A frame track bar: its tick marks stand at the positions it is given, not at a fixed
// interval, so that a bar over n frames is marked at 1, 1 + step, ... as the frame count asks.
class FrameTrackBar : public QSlider
{
    Q_OBJECT
public:
    explicit FrameTrackBar(QWidget* parent = nullptr);

    const QList<int>& tickPositions() const { return ticks_; }
    void setTickPositions(QList<int> positions);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> ticks_;
};
