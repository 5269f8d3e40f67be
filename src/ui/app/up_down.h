#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrow buttons that step a bounded position and write it into a buddy edit.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }

    void setRange(int minimum, int maximum);
    // Clamped to the range; the buddy shows the result.
    void setPosition(int position);
    void setBuddy(QLineEdit* buddy);

signals:
    // A click on an arrow moved the position.
    void stepped(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};
