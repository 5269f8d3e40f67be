#include "core/files/memory_output.h"

#include "core/input/avio_seek.h"

#include <cstring>

namespace vantrel {

namespace {

constexpr int BufferSize = 64 * 1024;
// Far above any animation of the panel; a runaway muxer stops here.
constexpr qint64 MaxOutputBytes = qint64{1} << 30;

} // namespace

ffmpeg::IoContextPtr MemoryOutput::open()
{
    bytes_.clear();
    position_ = 0;
    auto* buffer = static_cast<unsigned char*>(av_malloc(BufferSize));
    if (!buffer)
        return {};
    AVIOContext* context = avio_alloc_context(buffer, BufferSize, 1, this, nullptr, &write, &seek);
    if (!context)
        av_free(buffer);
    return ffmpeg::IoContextPtr(context);
}

int MemoryOutput::write(void* output, uint8_t* buffer, int size)
{
    auto& self = *static_cast<MemoryOutput*>(output);
    if (size <= 0)
        return 0;
    const qint64 end = self.position_ + size;
    if (end > MaxOutputBytes)
        return AVERROR(ENOMEM);
    if (end > self.bytes_.size())
        self.bytes_.resize(end); // a seek past the end leaves zeros in the hole
    std::memcpy(self.bytes_.data() + self.position_, buffer, size_t(size));
    self.position_ = end;
    return size;
}

int64_t MemoryOutput::seek(void* output, int64_t offset, int whence)
{
    auto& self = *static_cast<MemoryOutput*>(output);
    const int64_t target = avioSeekTarget(self.position_, self.bytes_.size(), offset, whence, MaxOutputBytes);
    if (target >= 0 && (whence & ~AVSEEK_FORCE) != AVSEEK_SIZE)
        self.position_ = target;
    return target;
}

} // namespace vantrel
