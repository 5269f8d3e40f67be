#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace vantrel::test {

// Hevc is what phones record at 4K, for the benchmarks. Mpeg4 (part 2, no B-frames) makes real inter frames:
// only its key frames decode alone. H264 (with B-frames, frames come out of the decoder in another order than
// they go in), Vp8 and Gif are for the other containers; a GIF frame only draws what changed since the frame
// before.
enum class AviCodec { Mjpeg, RawBgr24, Mpeg4, H264, Vp8, Gif, Hevc };

struct AviLayout
{
    QSize size{64, 64};
    int frames = 10;
    AviCodec codec = AviCodec::Mjpeg;
    int fps = 10;
    // Frames 1, 1 + n, 1 + 2n... are the key frames. Intra-only codecs get the others marked
    // as non-key in the index, so seeks land before the frame asked for there too.
    int keyFrameInterval = 1;
    // Frames (1-based, neither the first nor the last) left as empty chunks: AVI drop frames,
    // which players show as the frame before.
    QList<int> droppedFrames{};
    // Picture of frame n (1-based), of the stream's size; unset means makeNumberedPicture(n, size).
    std::function<QImage(int)> picture{};
    // A display matrix on the stream, as phones write portrait video: turned clockwise by this
    // many degrees (90 for a phone held upright), then mirrored left to right when asked.
    int displayRotation = 0;
    bool displayMirrored = false;
    // Pixel shape, width : height; 0 : 0 for square pixels.
    int sampleAspectNum = 0;
    int sampleAspectDen = 0;
};

// Writes an AVI of layout.picture(n) for each frame n. Returns false when FFmpeg refuses any step
// or a picture has the wrong size. Widths for RawBgr24 must be a multiple of 4 (AVI rows are padded).
bool writeAvi(const QString& path, const AviLayout& layout);

// The same in the container the extension names (.mp4, .mov, .mkv, .webm, .gif, .avi), with no
// changed key frame flags.
bool writeVideo(const QString& path, const AviLayout& layout);

// Writes an AVI whose stream header announces `size` and whose frames are the given PNG files,
// stored as they are: frames may disagree with the header.
bool writePngAvi(const QString& path, QSize size, const QList<QByteArray>& pngs, int fps = 10);

} // namespace vantrel::test
