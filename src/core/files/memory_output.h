#pragma once

#include "core/input/ffmpeg_handles.h"

#include <QByteArray>

namespace vantrel {

// A file written by FFmpeg into memory through a custom I/O context. Seekable, so that muxers
// can go back and fill in counts they only know at the end.
class MemoryOutput
{
public:
    MemoryOutput() = default;
    MemoryOutput(const MemoryOutput&) = delete;
    MemoryOutput& operator=(const MemoryOutput&) = delete;

    // A new context writing from the start; null when memory ran out. It refers to this
    // object, which must outlive it.
    ffmpeg::IoContextPtr open();

    // Everything written so far; flush the context first.
    const QByteArray& bytes() const { return bytes_; }

private:
    static int write(void* output, uint8_t* buffer, int size);
    static int64_t seek(void* output, int64_t offset, int whence);

    QByteArray bytes_;
    qint64 position_ = 0;
};

} // namespace vantrel
