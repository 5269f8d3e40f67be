#pragma once

#include "core/input/input_picture.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QWidget>

class QScrollBar;

// The input view: the current input frame at a zoom, scrolled when larger than the view, with
// the rectangles of the cut areas drawn inverted over it. Drawing a rectangle that is drawn
// already removes it, as an exclusive-or pen would.
class InputView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ScrollBarExtent = 17;

    explicit InputView(QWidget* parent = nullptr);

    // The picture and its zoom in percent, without rectangles; the scroll position stays where
    // it fits.
    void setPicture(vantrel::InputPicture picture, int zoomPercent);
    void clear();
    bool hasPicture() const { return !picture_.isNull(); }
    const vantrel::InputPicture& picture() const { return picture_; }

    // Where the picture lies: its offset in the view (0 or negative when scrolled) and its
    // zoomed size.
    double dstLeft() const { return dstLeft_; }
    double dstTop() const { return dstTop_; }
    double dstWidth() const { return dstWidth_; }
    double dstHeight() const { return dstHeight_; }
    // Scrolls to put the picture at that offset (clamped to what the scroll bars allow).
    void setDstOrigin(double left, double top);

    // Draws the rectangle (picture coordinates) inverted, or removes it when it is drawn.
    void toggleRectangle(const QRect& rect);
    const QList<QRect>& rectangles() const { return rectangles_; }

signals:
    // Mouse events in view coordinates, any button.
    void mousePressed(int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layoutScrollBars();
    QRect pictureViewport() const;

    vantrel::InputPicture picture_;
    QImage zoomed_;
    double dstLeft_ = 0.0;
    double dstTop_ = 0.0;
    double dstWidth_ = 0.0;
    double dstHeight_ = 0.0;
    QList<QRect> rectangles_;
    QScrollBar* horizontal_ = nullptr;
    QScrollBar* vertical_ = nullptr;
};
