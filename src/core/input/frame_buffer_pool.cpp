#include "core/input/frame_buffer_pool.h"

extern "C" {
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

} // namespace

struct FrameBufferPool::Lease
{
    std::shared_ptr<FrameBufferPool> pool;
    uchar* data;
};

std::shared_ptr<FrameBufferPool> FrameBufferPool::create(QSize size, QImage::Format format)
{
    const qsizetype rowBytes =
        (qsizetype(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 7) / 8;
    const qsizetype bytesPerLine = (rowBytes + RowAlignment - 1) / RowAlignment * RowAlignment;
    return std::shared_ptr<FrameBufferPool>(new FrameBufferPool(size, format, bytesPerLine));
}

FrameBufferPool::FrameBufferPool(QSize size, QImage::Format format, qsizetype bytesPerLine)
    : size_(size), format_(format), bytesPerLine_(bytesPerLine)
{}

FrameBufferPool::~FrameBufferPool()
{
    for (uchar* data : free_)
        av_free(data);
}

void FrameBufferPool::keep(int buffers)
{
    std::vector<uchar*> surplus;
    {
        const std::lock_guard lock(mutex_);
        const qsizetype bufferBytes = std::max<qsizetype>(bytesPerLine_ * size_.height(), 1);
        kept_ = std::size_t(
            std::clamp<qsizetype>(buffers, 0, std::max<qsizetype>(MaxKeptBytes / bufferBytes, 1)));
        free_.reserve(kept_); // giveBack never allocates under the lock
        while (free_.size() > kept_) {
            surplus.push_back(free_.back());
            free_.pop_back();
        }
    }
    for (uchar* data : surplus)
        av_free(data);
}

QImage FrameBufferPool::take()
{
    uchar* data = nullptr;
    {
        const std::lock_guard lock(mutex_);
        if (!free_.empty()) {
            data = free_.back();
            free_.pop_back();
        }
    }
    if (!data)
        data = static_cast<uchar*>(av_malloc(std::size_t(bytesPerLine_ * size_.height())));
    if (!data)
        return {};
    auto* lease = new (std::nothrow) Lease{shared_from_this(), data};
    if (!lease) {
        av_free(data);
        return {};
    }
    QImage image(data, size_.width(), size_.height(), bytesPerLine_, format_, &FrameBufferPool::giveBack,
                 lease);
    if (image.isNull()) // Qt does not call the cleanup for an image it refused to make
        giveBack(lease);
    return image;
}

void FrameBufferPool::giveBack(void* lease)
{
    std::unique_ptr<Lease> returned(static_cast<Lease*>(lease));
    FrameBufferPool& pool = *returned->pool;
    {
        const std::lock_guard lock(pool.mutex_);
        if (pool.free_.size() < pool.kept_) {
            pool.free_.push_back(returned->data);
            returned->data = nullptr;
        }
    }
    av_free(returned->data);
    // The lease goes last, outside the lock: it may hold the last reference to the pool.
}

} // namespace vantrel
