#include "core/input/input_picture.h"

#include "core/input/ffmpeg_handles.h"
#include "core/input/frame_buffer_pool.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <QTransform>

#include <cstring>
#include <new>
#include <vector>

namespace vantrel {

struct InputPicture::Decoded
{
    ffmpeg::FramePtr frame;
    FrameShape shape;
    std::shared_ptr<FrameBufferPool> buffers;
};

namespace {

QSize uprightSize(const FrameShape& shape)
{
    return shape.turn.quarterTurns % 2 != 0 ? shape.scaled.transposed() : shape.scaled;
}

// A scaler from `frame`'s format and colours at `from` to RGB24 at `to`.
ffmpeg::ScalerPtr rgbScaler(const AVFrame& frame, QSize from, QSize to)
{
    ffmpeg::ScalerPtr scaler(sws_getContext(from.width(), from.height(), AVPixelFormat(frame.format),
                                            to.width(), to.height(), AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr,
                                            nullptr, nullptr));
    if (!scaler)
        return scaler;
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(AVPixelFormat(frame.format));
    const bool yuv =
        descriptor && !(descriptor->flags & AV_PIX_FMT_FLAG_RGB) && descriptor->nb_components >= 3;
    int* inverseTable = nullptr;
    int* table = nullptr;
    int sourceFullRange = 0, targetFullRange = 0, brightness = 0, contrast = 0, saturation = 0;
    if (yuv && sws_getColorspaceDetails(scaler.get(), &inverseTable, &sourceFullRange, &table,
                                        &targetFullRange, &brightness, &contrast, &saturation) >= 0) {
        // JPEG-range pixel formats already say full range; others say it in the frame.
        const int fullRange = sourceFullRange || frame.color_range == AVCOL_RANGE_JPEG;
        sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(frame.colorspace), fullRange, table,
                                 targetFullRange, brightness, contrast, saturation);
    }
    return scaler;
}

// Where the dots' pixels lie in the frame as stored. A quarter turn swaps the axes, so a dot's
// stored column and row each follow from its own column or row alone.
class StoredPicks
{
public:
    StoredPicks(const FrameShape& shape, QSize stored, std::span<const std::int64_t> columns,
                std::span<const std::int64_t> rows)
        : swapped_(shape.turn.quarterTurns % 2 != 0)
    {
        const QSize upright = uprightSize(shape);
        const int turns = shape.turn.quarterTurns & 3;
        const int w = shape.scaled.width(), h = shape.scaled.height();
        // Along each upright axis: its length, its mirror, and the display axis it comes from
        // (length, stored length, reversed) under each number of quarter turns.
        struct Axis
        {
            int length, storedLength;
            bool reversed;
        };
        const Axis across[4] = {{w, stored.width(), false},
                                {h, stored.height(), true},
                                {w, stored.width(), true},
                                {h, stored.height(), false}};
        const Axis down[4] = {{h, stored.height(), false},
                              {w, stored.width(), false},
                              {h, stored.height(), true},
                              {w, stored.width(), true}};
        pick(columns, upright.width(), shape.turn.mirrorLeftRight, across[turns], fromColumns_);
        pick(rows, upright.height(), shape.turn.mirrorTopBottom, down[turns], fromRows_);
    }

    // The stored pixel of dot (x, y); negative coordinates outside the picture.
    QPoint at(int x, int y) const
    {
        const int fromColumn = fromColumns_[std::size_t(x)], fromRow = fromRows_[std::size_t(y)];
        if (fromColumn < 0 || fromRow < 0)
            return {-1, -1};
        return swapped_ ? QPoint(fromRow, fromColumn) : QPoint(fromColumn, fromRow);
    }

private:
    // The stored pixel under the centre of each display pixel, -1 outside the picture.
    template <typename Axis>
    static void pick(std::span<const std::int64_t> at, int uprightLength, bool mirrored, const Axis& from,
                     std::vector<int>& out)
    {
        out.reserve(at.size());
        for (std::int64_t p : at) {
            if (p < 0 || p >= uprightLength) {
                out.push_back(-1);
                continue;
            }
            if (mirrored)
                p = uprightLength - 1 - p;
            if (from.reversed)
                p = from.length - 1 - p;
            out.push_back(int((2 * p + 1) * from.storedLength / (2 * std::int64_t{from.length})));
        }
    }

    bool swapped_;
    std::vector<int> fromColumns_;
    std::vector<int> fromRows_;
};

template <typename Sample> const Sample* planeAt(const AVFrame& frame, int plane, int x, int y)
{
    return reinterpret_cast<const Sample*>(frame.data[plane] + std::ptrdiff_t(y) * frame.linesize[plane]) + x;
}

template <typename Sample> Sample* planeAt(AVFrame& frame, int plane, int x, int y)
{
    return reinterpret_cast<Sample*>(frame.data[plane] + std::ptrdiff_t(y) * frame.linesize[plane]) + x;
}

// Copies the stored pixels the dots pick into `gathered`, one block of the format's chroma size
// per dot (each block one luma value and one chroma value): converted, every block's first
// pixel is what converting the whole frame gives there.
template <typename Sample>
void gather(const AVFrame& frame, const AVPixFmtDescriptor& format, const StoredPicks& picks, QSize dots,
            AVFrame& gathered)
{
    const int blockWidth = 1 << format.log2_chroma_w, blockHeight = 1 << format.log2_chroma_h;
    const int planes = format.nb_components;
    for (int dotY = 0; dotY < dots.height(); ++dotY) {
        for (int dotX = 0; dotX < dots.width(); ++dotX) {
            const QPoint at = picks.at(dotX, dotY);
            if (at.x() < 0)
                continue;
            for (int plane = 0; plane < planes; ++plane) {
                if (plane == 1 || plane == 2) {
                    *planeAt<Sample>(gathered, plane, dotX, dotY) = *planeAt<Sample>(
                        frame, plane, at.x() >> format.log2_chroma_w, at.y() >> format.log2_chroma_h);
                    continue;
                }
                const Sample value = *planeAt<Sample>(frame, plane, at.x(), at.y());
                for (int row = 0; row < blockHeight; ++row) {
                    Sample* to =
                        planeAt<Sample>(gathered, plane, dotX * blockWidth, dotY * blockHeight + row);
                    std::fill(to, to + blockWidth, value);
                }
            }
        }
    }
}

} // namespace

bool InputPicture::keepsDecoded(int pixelFormat)
{
    const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(AVPixelFormat(pixelFormat));
    constexpr auto refused = AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL |
                             AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_FLOAT | AV_PIX_FMT_FLAG_BAYER |
                             AV_PIX_FMT_FLAG_BE;
    if (!format || (format->flags & refused) || !(format->flags & AV_PIX_FMT_FLAG_PLANAR) ||
        format->nb_components < 3 || format->comp[0].depth < 8 || format->comp[0].depth > 16)
        return false;
    const int bytes = format->comp[0].depth > 8 ? 2 : 1;
    for (int c = 0; c < format->nb_components; ++c) {
        const AVComponentDescriptor& component = format->comp[c];
        if (component.plane != c || component.step != bytes || component.offset != 0 ||
            component.shift != 0 || component.depth != format->comp[0].depth)
            return false;
    }
    return true;
}

InputPicture InputPicture::ofDecodedFrame(const AVFrame& frame, const FrameShape& shape,
                                          std::shared_ptr<FrameBufferPool> buffers)
{
    InputPicture picture;
    if (frame.width <= 0 || frame.height <= 0 || shape.scaled.isEmpty())
        return picture;
    ffmpeg::FramePtr reference(av_frame_clone(&frame));
    if (!reference)
        return picture;
    picture.frame_ =
        std::make_shared<const Decoded>(Decoded{std::move(reference), shape, std::move(buffers)});
    return picture;
}

QSize InputPicture::size() const
{
    return frame_ ? uprightSize(frame_->shape) : image_.size();
}

QImage InputPicture::toImage() const
{
    if (!frame_)
        return image_;
    const AVFrame& frame = *frame_->frame;
    const QSize scaled = frame_->shape.scaled;
    const ffmpeg::ScalerPtr scaler = rgbScaler(frame, QSize(frame.width, frame.height), scaled);
    QImage converted = frame_->buffers ? frame_->buffers->take(scaled, QImage::Format_RGB888)
                                       : QImage(scaled, QImage::Format_RGB888);
    if (!scaler || converted.isNull())
        return {};
    uint8_t* const target[4] = {converted.bits(), nullptr, nullptr, nullptr};
    const int targetStride[4] = {int(converted.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, target, targetStride) !=
        scaled.height())
        return {};
    const FrameTurn& turn = frame_->shape.turn;
    if (turn.isNone())
        return converted;
    if (turn.quarterTurns != 0)
        converted = converted.transformed(QTransform().rotate(90.0 * turn.quarterTurns));
    converted = converted.mirrored(turn.mirrorLeftRight, turn.mirrorTopBottom);
    if (converted.format() != QImage::Format_RGB888)
        converted = converted.convertToFormat(QImage::Format_RGB888);
    return converted.size() == size() ? converted : QImage(); // else out of memory
}

QImage InputPicture::sample(std::span<const std::int64_t> columns, std::span<const std::int64_t> rows) const
{
    if (frame_)
        return sampleDecoded(columns, rows);
    QImage out(int(columns.size()), int(rows.size()), QImage::Format_RGB888);
    if (out.isNull())
        return out;
    std::memset(out.bits(), 0, std::size_t(out.sizeInBytes())); // black, without a painter
    const QImage source =
        image_.format() == QImage::Format_RGB888 ? image_ : image_.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < out.height(); ++y) {
        const std::int64_t sy = rows[std::size_t(y)];
        if (sy < 0 || sy >= source.height())
            continue;
        const uchar* from = source.constScanLine(int(sy));
        uchar* to = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x) {
            const std::int64_t sx = columns[std::size_t(x)];
            if (sx >= 0 && sx < source.width())
                std::memcpy(to + 3 * x, from + 3 * sx, 3);
        }
    }
    return out;
}

QImage InputPicture::sampleDecoded(std::span<const std::int64_t> columns,
                                   std::span<const std::int64_t> rows) const
{
    const AVFrame& frame = *frame_->frame;
    const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(AVPixelFormat(frame.format));
    const int dotsWide = int(columns.size()), dotsHigh = int(rows.size());
    QImage out(dotsWide, dotsHigh, QImage::Format_RGB888);
    if (out.isNull() || !format)
        return {};
    std::memset(out.bits(), 0, std::size_t(out.sizeInBytes())); // black, without a painter
    const StoredPicks picks(frame_->shape, QSize(frame.width, frame.height), columns, rows);

    // Blocks of the frame's own format convert as the whole frame does; an even height keeps
    // the converter on the same path.
    const int blockWidth = 1 << format->log2_chroma_w, blockHeight = 1 << format->log2_chroma_h;
    const QSize gatheredSize(dotsWide * blockWidth, (dotsHigh * blockHeight + 1) & ~1);
    ffmpeg::FramePtr gathered(av_frame_alloc());
    if (!gathered)
        return {};
    gathered->format = frame.format;
    gathered->width = gatheredSize.width();
    gathered->height = gatheredSize.height();
    if (av_frame_get_buffer(gathered.get(), 0) < 0)
        return {};
    for (int plane = 0; plane < format->nb_components; ++plane) {
        const int planeRows = plane == 1 || plane == 2
                                  ? AV_CEIL_RSHIFT(gathered->height, format->log2_chroma_h)
                                  : gathered->height;
        std::memset(gathered->data[plane], 0,
                    std::size_t(gathered->linesize[plane]) * std::size_t(planeRows));
    }
    if (format->comp[0].depth > 8)
        gather<std::uint16_t>(frame, *format, picks, {dotsWide, dotsHigh}, *gathered);
    else
        gather<std::uint8_t>(frame, *format, picks, {dotsWide, dotsHigh}, *gathered);

    const ffmpeg::ScalerPtr scaler = rgbScaler(frame, gatheredSize, gatheredSize);
    if (!scaler)
        return {};
    // The converter writes whole SIMD chunks: rows padded to them, and a row to spare.
    const int stride = FFALIGN(gatheredSize.width(), 64) * 3;
    const std::unique_ptr<uint8_t[]> converted(
        new (std::nothrow) uint8_t[std::size_t(stride) * std::size_t(gatheredSize.height() + 1)]);
    if (!converted)
        return {};
    uint8_t* const target[4] = {converted.get(), nullptr, nullptr, nullptr};
    const int targetStride[4] = {stride, 0, 0, 0};
    if (sws_scale(scaler.get(), gathered->data, gathered->linesize, 0, gathered->height, target,
                  targetStride) != gathered->height)
        return {};
    for (int y = 0; y < dotsHigh; ++y) {
        const uchar* from = converted.get() + std::ptrdiff_t(y) * blockHeight * stride;
        uchar* to = out.scanLine(y);
        for (int x = 0; x < dotsWide; ++x) {
            if (picks.at(x, y).x() >= 0)
                std::memcpy(to + 3 * x, from + 3 * x * blockWidth, 3);
        }
    }
    return out;
}

QImage resizedNearest(const InputPicture& picture, QSize size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    const QSize from = picture.size();
    std::vector<std::int64_t> columns(std::size_t(size.width())), rows(std::size_t(size.height()));
    for (int x = 0; x < size.width(); ++x)
        columns[std::size_t(x)] = std::int64_t{x} * from.width() / size.width();
    for (int y = 0; y < size.height(); ++y)
        rows[std::size_t(y)] = std::int64_t{y} * from.height() / size.height();
    return picture.sample(columns, rows);
}

} // namespace vantrel
