#include "core/input/memory_input.h"

#include "core/input/avio_seek.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vantrel {

namespace {

constexpr int BufferSize = 64 * 1024;

} // namespace

ffmpeg::IoContextPtr MemoryInput::open()
{
    position_ = 0;
    auto* buffer = static_cast<unsigned char*>(av_malloc(BufferSize));
    if (!buffer)
        return {};
    AVIOContext* context = avio_alloc_context(buffer, BufferSize, 0, this, &read, nullptr, &seek);
    if (!context)
        av_free(buffer);
    return ffmpeg::IoContextPtr(context);
}

int MemoryInput::read(void* input, uint8_t* buffer, int size)
{
    auto& self = *static_cast<MemoryInput*>(input);
    if (self.deadline_->passed())
        return AVERROR_EXIT;
    const qint64 left = self.bytes_.size() - self.position_;
    if (left <= 0)
        return AVERROR_EOF;
    const int count = int(std::min<qint64>(size, left));
    std::memcpy(buffer, self.bytes_.constData() + self.position_, size_t(count));
    self.position_ += count;
    return count;
}

int64_t MemoryInput::seek(void* input, int64_t offset, int whence)
{
    auto& self = *static_cast<MemoryInput*>(input);
    const int64_t target = avioSeekTarget(self.position_, self.bytes_.size(), offset, whence,
                                          std::numeric_limits<qint64>::max());
    if (target >= 0 && (whence & ~AVSEEK_FORCE) != AVSEEK_SIZE)
        self.position_ = target; // past the end reads find the end
    return target;
}

} // namespace vantrel
