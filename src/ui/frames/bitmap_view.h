#pragma once

#include <QImage>
#include <QWidget>

// A view that shows one bitmap unscaled at its top-left corner; empty when it holds none.
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
