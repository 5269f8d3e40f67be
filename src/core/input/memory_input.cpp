#include "core/input/memory_input.h"

#include <algorithm>
#include <cstring>

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
    const qint64 size = self.bytes_.size();
    qint64 base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = self.position_;
        break;
    case SEEK_END:
        base = size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    qint64 target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0)
        return AVERROR(EINVAL);
    self.position_ = target; // past the end reads find the end
    return target;
}

} // namespace vantrel
