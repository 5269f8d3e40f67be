#pragma once

#include <QImage>
#include <QWidget>

// A view that shows one bitmap unscaled at its top-left corner. Empty, it shows the button
// face, as the blank a frame view starts with does, unless it fills a background of its own.
class BitmapView : public QWidget
{
    Q_OBJECT
public:
    explicit BitmapView(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    bool hasImage() const { return !image_.isNull(); }
    void setImage(QImage image);
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
