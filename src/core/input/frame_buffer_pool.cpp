#include "core/input/frame_buffer_pool.h"

extern "C" {
#include <libavutil/buffer.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <new>

namespace vantrel {

namespace {

// Rows start on SIMD-friendly boundaries for the converter writing them.
constexpr qsizetype RowAlignment = 32;

// Memory kept idle for reuse stays below this, whatever the block size.
constexpr qsizetype MaxKeptBytes = 256LL * 1024 * 1024;

// Plane sizes kept pooled: two files' worth; older sizes go back once their planes do.
constexpr std::size_t MaxPlanePools = 4;

qsizetype alignedBytesPerLine(QSize size, QImage::Format format)
{
    const qsizetype rowBytes =
        (qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 7) / 8;
    return (rowBytes + RowAlignment - 1) / RowAlignment * RowAlignment;
}

} // namespace

struct FrameBufferPool::Lease
{
    std::shared_ptr<FrameBufferPool> pool;
    Idle buffer;
};

std::shared_ptr<FrameBufferPool> FrameBufferPool::create()
{
    return std::shared_ptr<FrameBufferPool>(new FrameBufferPool());
}

FrameBufferPool::~FrameBufferPool()
{
    for (const Idle& idle : free_)
        av_free(idle.data);
    for (auto& [bytes, pool] : planePools_)
        av_buffer_pool_uninit(&pool); // freed when its last plane comes back
}

void FrameBufferPool::keepAtLeast(int buffers)
{
    const std::lock_guard lock(mutex_);
    kept_ = std::max(kept_, std::size_t(std::max(buffers, 0)));
    free_.reserve(kept_); // giveBack never allocates
}

QImage FrameBufferPool::take(QSize size, QImage::Format format)
{
    if (size.isEmpty())
        return {};
    const qsizetype bytesPerLine = alignedBytesPerLine(size, format);
    Idle buffer{nullptr, size, format, bytesPerLine * size.height()};
    {
        const std::lock_guard lock(mutex_);
        // The newest first: its pages are the likeliest still to be in the cache.
        const auto match = std::find_if(free_.rbegin(), free_.rend(), [&](const Idle& idle) {
            return idle.size == size && idle.format == format;
        });
        if (match != free_.rend()) {
            buffer.data = match->data;
            idleBytes_ -= match->bytes;
            free_.erase(std::next(match).base());
        } else {
            ++allocations_;
        }
    }
    if (!buffer.data)
        buffer.data = static_cast<uchar*>(av_malloc(std::size_t(buffer.bytes)));
    if (!buffer.data)
        return {};
    auto* lease = new (std::nothrow) Lease{shared_from_this(), buffer};
    if (!lease) {
        av_free(buffer.data);
        return {};
    }
    QImage image(buffer.data, size.width(), size.height(), bytesPerLine, format, &FrameBufferPool::giveBack,
                 lease);
    if (image.isNull()) // Qt does not call the cleanup for an image it refused to make
        giveBack(lease);
    return image;
}

void FrameBufferPool::giveBack(void* lease)
{
    std::unique_ptr<Lease> returned(static_cast<Lease*>(lease));
    FrameBufferPool& pool = *returned->pool;
    const Idle& buffer = returned->buffer;
    {
        const std::lock_guard lock(pool.mutex_);
        if (pool.kept_ > 0 && buffer.bytes <= MaxKeptBytes) {
            while (!pool.free_.empty() &&
                   (pool.free_.size() >= pool.kept_ || pool.idleBytes_ + buffer.bytes > MaxKeptBytes))
                pool.releaseOldest();
            pool.free_.push_back(buffer);
            pool.idleBytes_ += buffer.bytes;
            return; // the lease goes after the lock: it may hold the last reference to the pool
        }
    }
    av_free(buffer.data);
}

AVBufferRef* FrameBufferPool::takePlane(std::size_t bytes)
{
    const std::lock_guard lock(mutex_);
    auto pool = std::find_if(planePools_.begin(), planePools_.end(),
                             [&](const auto& entry) { return entry.first == bytes; });
    if (pool == planePools_.end()) {
        if (planePools_.size() >= MaxPlanePools) {
            av_buffer_pool_uninit(&planePools_.front().second);
            planePools_.erase(planePools_.begin());
        }
        AVBufferPool* made = av_buffer_pool_init2(bytes, this, &FrameBufferPool::allocatePlane, nullptr);
        if (!made)
            return nullptr;
        planePools_.emplace_back(bytes, made);
        pool = std::prev(planePools_.end());
    }
    return av_buffer_pool_get(pool->second);
}

// Zeroed, as FFmpeg's own planes are: decoders may read padding they never wrote.
AVBufferRef* FrameBufferPool::allocatePlane(void* pool, std::size_t bytes)
{
    ++static_cast<FrameBufferPool*>(pool)->allocations_;
    return av_buffer_allocz(bytes);
}

void FrameBufferPool::releaseOldest()
{
    av_free(free_.front().data);
    idleBytes_ -= free_.front().bytes;
    free_.erase(free_.begin());
}

} // namespace vantrel
