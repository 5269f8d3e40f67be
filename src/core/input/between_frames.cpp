#include "core/input/between_frames.h"

#include "core/imaging/bitmap.h"
#include "core/input/truncated_int.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

bool isBlack(const uchar* pixel)
{
    return (pixel[0] | pixel[1] | pixel[2]) == 0;
}

bool sameRgb888Size(const QImage& a, const QImage& b)
{
    return !a.isNull() && a.size() == b.size() && a.format() == QImage::Format_RGB888 &&
           b.format() == QImage::Format_RGB888;
}

} // namespace

TCutArea movingCutArea(const TCutArea& start, const TCutArea& end, int count, int i)
{
    const float steps = static_cast<float>(count) + 1.0f;
    const float at = static_cast<float>(i);
    auto along = [&](std::int32_t from, std::int32_t to) {
        const float step = static_cast<float>(std::int64_t{to} - from) / steps;
        return static_cast<float>(from) + at * step;
    };
    TCutArea area = start;
    area.Left = truncatedInt(along(start.Left, end.Left));
    area.Top = truncatedInt(along(start.Top, end.Top));
    area.Right = truncatedInt(along(start.Right, end.Right));
    area.Bottom = truncatedInt(along(start.Bottom, end.Bottom));
    area.FrameNo = truncatedInt(along(start.FrameNo, end.FrameNo) + 0.5f);
    return area;
}

Dissolve::Dissolve(QImage start, QImage end, int count)
    : picture_(std::move(start)), end_(std::move(end)),
      overlay_(createBitmap(picture_.width(), picture_.height()))
{
    if (!sameRgb888Size(picture_, end_) || count < 1)
        return;
    const std::int64_t pixels = std::int64_t{picture_.width()} * picture_.height();
    perStep_ = (pixels + count) / (count + 1);
    switchable_ = pixels;
}

void Dissolve::step()
{
    const auto width = static_cast<unsigned>(picture_.width());
    const auto height = static_cast<unsigned>(picture_.height());
    uchar* picture = picture_.bits(); // detaches from the frame handed out last step
    uchar* overlay = overlay_.bits();
    const uchar* end = end_.constBits();
    const qsizetype line = picture_.bytesPerLine(); // equal for all three: same size and format

    // A switched position is drawn again. One black in the end picture never counts as switched,
    // so it may take a share more than once. Counting the positions left to switch ends the
    // step when none is left, where drawing would go on forever.
    for (std::int64_t n = 0; n < perStep_ && switchable_ > 0; ++n) {
        for (;;) {
            const unsigned x = static_cast<unsigned>(random_() % width);
            const unsigned y = static_cast<unsigned>(random_() % height);
            const qsizetype at = y * line + x * 3;
            if (isBlack(picture + at) && !isBlack(overlay + at))
                continue;
            for (int c = 0; c < 3; ++c) {
                picture[at + c] = 0;
                overlay[at + c] = end[at + c];
            }
            if (!isBlack(end + at))
                --switchable_;
            break;
        }
    }
}

Wipe::Wipe(QImage start, QImage end, int count, Direction direction)
    : picture_(std::move(start)), end_(std::move(end)), direction_(direction), count_(std::max(count, 0))
{}

void Wipe::step()
{
    ++steps_;
    const std::int64_t length = direction_ == Down ? picture_.height() : picture_.width();
    // round(steps × length / (count + 1)), halves up, in integers
    const std::int64_t parts = std::int64_t{count_} + 1;
    const int reach = static_cast<int>(std::min(length, (2 * steps_ * length + parts) / (2 * parts)));
    if (reach > covered_) {
        if (direction_ == Down)
            combine(picture_, 0, covered_, picture_.width(), reach - covered_, end_, 0, covered_,
                    CombineMode::Copy);
        else
            combine(picture_, covered_, 0, reach - covered_, picture_.height(), end_, covered_, 0,
                    CombineMode::Copy);
        covered_ = reach;
    }
}

} // namespace vantrel
