#pragma once

#include "core/input/decode_deadline.h"
#include "core/input/ffmpeg_handles.h"

#include <QByteArray>

namespace vantrel {

// A file held in memory, read by FFmpeg through a custom I/O context. Reads fail once the
// deadline has passed: with no protocol underneath, nothing else would poll it.
class MemoryInput
{
public:
    MemoryInput(QByteArray bytes, const DecodeDeadline& deadline)
        : bytes_(std::move(bytes)), deadline_(&deadline)
    {}
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    // A new context reading from the start; null when memory ran out. It refers to this
    // object, which must outlive it.
    ffmpeg::IoContextPtr open();

private:
    static int read(void* input, uint8_t* buffer, int size);
    static int64_t seek(void* input, int64_t offset, int whence);

    const QByteArray bytes_;
    const DecodeDeadline* deadline_;
    qint64 position_ = 0;
};

} // namespace vantrel
