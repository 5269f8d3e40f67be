#pragma once

#include <QImage>

#include <memory>
#include <mutex>
#include <vector>

namespace vantrel {

// Pixel memory for the frames of one video. A frame's buffer comes back when the last QImage
// sharing it goes, and later frames reuse it: fresh pages from the system cost more than the
// colour conversion that fills them. Images may be dropped on any thread and may outlive the
// pool's owner.
class FrameBufferPool : public std::enable_shared_from_this<FrameBufferPool>
{
public:
    static std::shared_ptr<FrameBufferPool> create(QSize size, QImage::Format format);
    ~FrameBufferPool();
    FrameBufferPool(const FrameBufferPool&) = delete;
    FrameBufferPool& operator=(const FrameBufferPool&) = delete;

    // How many returned buffers to keep for reuse; the others go back to the system.
    void keep(int buffers);

    // An uninitialised image on pooled memory; null when memory ran out.
    QImage take();

private:
    struct Lease;

    FrameBufferPool(QSize size, QImage::Format format, qsizetype bytesPerLine);
    static void giveBack(void* lease);

    const QSize size_;
    const QImage::Format format_;
    const qsizetype bytesPerLine_;
    std::mutex mutex_;
    std::vector<uchar*> free_;
    std::size_t kept_ = 0;
};

} // namespace vantrel
