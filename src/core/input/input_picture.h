#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <span>
#include <utility>

struct AVFrame;

namespace vantrel {

class FrameBufferPool;

// How a video's display matrix puts its frames upright: quarter turns clockwise, then mirrors.
struct FrameTurn
{
    int quarterTurns = 0;
    bool mirrorLeftRight = false;
    bool mirrorTopBottom = false;
    bool isNone() const { return quarterTurns == 0 && !mirrorLeftRight && !mirrorTopBottom; }
};

// How a decoded frame is shown: scaled to its display size (its pixels may not be square), then
// turned upright.
struct FrameShape
{
    QSize scaled; // the display size before the turn
    FrameTurn turn;
};

// One input frame, upright and of its display size. A video frame stays as the decoder made it
// until pixels are asked for, so that a cut of a few thousand dots reads and converts those dots
// only, not the millions of the frame. Copies share their pixels.
class InputPicture
{
public:
    InputPicture() = default;
    explicit InputPicture(QImage picture) : image_(std::move(picture)) {}

    // Whether frames of this pixel format can stay decoded: planar YUV of 8 to 16 bits, what
    // video codecs give. Others are converted whole as they are decoded.
    static bool keepsDecoded(int pixelFormat);
    // A new reference to a frame of such a format; whole conversions take their memory from
    // `buffers`. Null when the frame is empty.
    static InputPicture ofDecodedFrame(const AVFrame& frame, const FrameShape& shape,
                                       std::shared_ptr<FrameBufferPool> buffers);

    bool isNull() const { return image_.isNull() && !frame_; }
    // True for copies of one picture.
    bool sharesPixelsWith(const InputPicture& other) const
    {
        return frame_ ? frame_ == other.frame_
                      : !other.frame_ && image_.cacheKey() == other.image_.cacheKey();
    }
    QSize size() const;

    // The whole picture as a 24-bit bitmap; null when memory ran out or the frame does not
    // convert.
    QImage toImage() const;
    // A 24-bit bitmap of columns.size() by rows.size() whose pixel (x, y) is the picture's pixel
    // (columns[x], rows[y]): nearest scaling of any part. Indexes outside the picture give black.
    QImage sample(std::span<const std::int64_t> columns, std::span<const std::int64_t> rows) const;

private:
    struct Decoded;

    QImage sampleDecoded(std::span<const std::int64_t> columns, std::span<const std::int64_t> rows) const;

    QImage image_; // RGB888
    std::shared_ptr<const Decoded> frame_;
};

// Nearest scaling of the whole picture to a size, as resizeNearest does it.
QImage resizedNearest(const InputPicture& picture, QSize size);

} // namespace vantrel
