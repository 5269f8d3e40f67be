#pragma once

#include <QImage>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

struct AVBufferPool;
struct AVBufferRef;

namespace vantrel {

// Pixel memory for decoded frames of any size and format. A frame's buffer comes back when the
// last QImage sharing it goes, and later frames of the same size and format reuse it: fresh
// pages from the system cost more than the colour conversion that fills them. The decoders'
// own frames are pooled the same way, by plane size. One pool may serve many files in turn;
// images and planes may be dropped on any thread and may outlive the pool's owner.
class FrameBufferPool : public std::enable_shared_from_this<FrameBufferPool>
{
public:
    static std::shared_ptr<FrameBufferPool> create();
    ~FrameBufferPool();
    FrameBufferPool(const FrameBufferPool&) = delete;
    FrameBufferPool& operator=(const FrameBufferPool&) = delete;

    // Keeps at least this many returned buffers for reuse (fewer when they would take too much
    // memory); the oldest of the others go back to the system.
    void keepAtLeast(int buffers);

    // An uninitialised image on pooled memory; null when memory ran out or the size is empty.
    QImage take(QSize size, QImage::Format format);

    // A decoder's plane of `bytes`, from pooled memory; null when memory ran out.
    AVBufferRef* takePlane(std::size_t bytes);

    // Buffers taken from the system so far, frames and planes: what reuse saves shows here.
    qint64 allocations() const { return allocations_; }

private:
    struct Lease;
    struct Idle
    {
        uchar* data;
        QSize size;
        QImage::Format format;
        qsizetype bytes;
    };

    FrameBufferPool() = default;
    static void giveBack(void* lease);
    static AVBufferRef* allocatePlane(void* pool, std::size_t bytes);
    void releaseOldest(); // with the lock held

    mutable std::mutex mutex_;
    std::vector<Idle> free_; // oldest first
    std::size_t kept_ = 0;
    qsizetype idleBytes_ = 0;
    std::vector<std::pair<std::size_t, AVBufferPool*>> planePools_; // by plane size, oldest first
    std::atomic<qint64> allocations_ = 0;
};

} // namespace vantrel
