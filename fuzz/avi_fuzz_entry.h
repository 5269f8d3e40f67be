#pragma once

#include "core/input/picture_limits.h"
#include "core/input/video_file.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Opens the bytes as a video of the container, loads blocks the way the window browses (on from
// the start, back, the end, the middle) and checks what must hold for any input; 0 when it does,
// otherwise the number of the broken rule.
inline int runVideoBytes(const QByteArray& bytes, VideoContainer container)
{
    std::unique_ptr<MediaFile> video;
    const int opened = VideoFile::openBytes(bytes, container, video);
    if (opened != MediaOk)
        return opened < 0 && !video ? 0 : 1;
    const int count = video->frameCount();
    const QSize frameSize = video->frameSize();
    if (count < 1 || count > bytes.size() / 8 || video->frameDelayMs() < 0 || frameSize.isEmpty() ||
        exceedsPictureLimits(frameSize.width(), frameSize.height()))
        return 2;

    struct Block
    {
        int first, count;
    };
    for (const Block block : {Block{1, 2}, Block{3, 2}, Block{1, 1}, Block{count, 2}, Block{count / 2, 3}}) {
        QList<QImage> frames;
        const int loaded = video->load(block.first, block.count, frames);
        const int first = std::max(block.first, 1);
        if (loaded != MediaOk) {
            if (loaded >= 0 || !frames.isEmpty() || (loaded == MediaNoFrames) != (first > count))
                return 3;
            continue;
        }
        // Every page of the range comes back, black where the stream holds no frame for it.
        if (frames.size() != std::min(block.count, count - first + 1))
            return 4;
        for (const QImage& frame : frames) {
            if (frame.format() != QImage::Format_RGB888 || frame.size() != frameSize)
                return 5;
        }
    }
    return 0;
}

inline int runAviInput(const std::uint8_t* data, std::size_t size)
{
    return runVideoBytes(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                         VideoContainer::Avi);
}

// The container of a seed of the other formats: its first byte modulo 3 (MP4, Matroska, GIF).
inline VideoContainer seedContainer(std::uint8_t first)
{
    static constexpr VideoContainer containers[] = {VideoContainer::Mp4, VideoContainer::Matroska,
                                                    VideoContainer::Gif};
    return containers[first % 3];
}

// The first byte picks the container, the rest is the file.
inline int runContainerInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    return runVideoBytes(
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)),
        seedContainer(data[0]));
}

} // namespace vantrel::fuzz
