#pragma once

#include "core/input/media_file.h"

#include <QByteArray>

#include <memory>

struct heif_context;
struct heif_image_handle;

namespace vantrel {

// A HEIC or AVIF photo through libheif: its primary image, upright as its transformations say,
// one page decoded on the first load and kept. The file is read into memory whole, within a
// size limit, and parsed once on opening; the header's picture size is checked against the
// picture limits before decoding.
class HeifPicture final : public MediaFile
{
public:
    struct ContextFree
    {
        void operator()(heif_context* context) const;
    };
    struct HandleRelease
    {
        void operator()(heif_image_handle* handle) const;
    };
    using ContextPtr = std::unique_ptr<heif_context, ContextFree>;
    using HandlePtr = std::unique_ptr<heif_image_handle, HandleRelease>;

    static int open(const QString& path, std::unique_ptr<MediaFile>& out);
    static int openBytes(const QByteArray& bytes, std::unique_ptr<MediaFile>& out);
    ~HeifPicture() override;

    int frameCount() const override { return 1; }
    int frameDelayMs() const override { return 0; }
    QSize frameSize() const override { return size_; }
    bool decodesFramesAlone() const override { return true; }
    qint64 framesDecoded() const override { return framesDecoded_; }
    int load(int firstPage, int count, QList<QImage>& frames) override;
    int keep(int firstPage, int count) override;

private:
    explicit HeifPicture(QByteArray bytes) : bytes_(std::move(bytes)) {}

    QByteArray bytes_; // the whole file: the context reads it in place
    ContextPtr context_;
    HandlePtr handle_; // the primary image
    QSize size_;
    QImage picture_; // null until the first load
    qint64 framesDecoded_ = 0;
};

} // namespace vantrel
