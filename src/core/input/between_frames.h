#pragma once

#include "core/input/cut_area.h"

#include <QImage>

#include <cstdint>
#include <random>

// The ways of making the frames between a run's start and end pictures.
namespace vantrel {

// The area of the moving cut's frame i (1..count) on the way from start to end, with the input
// frame on the way rounded to the nearest.
TCutArea movingCutArea(const TCutArea& start, const TCutArea& end, int count, int i);

// The start picture turning into the end picture at random pixels over `count` frames: each
// step blacks out its share of the picture's pixels and puts the end picture's pixel there
// in the overlay, which is added when the frame is stored.
class Dissolve
{
public:
    Dissolve(QImage start, QImage end, int count);

    void step();
    const QImage& picture() const { return picture_; }
    const QImage& overlay() const { return overlay_; }

private:
    QImage picture_;
    QImage end_;
    QImage overlay_;
    std::int64_t perStep_ = 0;
    std::int64_t switchable_ = 0; // positions not switched yet
    // A fixed seed, so that the same inputs give the same frames on every run.
    std::mt19937 random_{20040229u};
};

// The end picture copied over the start picture from the top down or from the left: after step i
// of `count` it covers rows (columns) 0 .. round(i × length / (count + 1)) - 1, so the covered part
// grows by whole rows and never leaves a stripe of the start picture behind.
class Wipe
{
public:
    enum Direction { Down, Right };
    Wipe(QImage start, QImage end, int count, Direction direction);

    void step();
    const QImage& picture() const { return picture_; }

private:
    QImage picture_;
    QImage end_;
    Direction direction_;
    int count_ = 0;
    int steps_ = 0;
    int covered_ = 0; // rows or columns of the end picture shown
};

} // namespace vantrel
