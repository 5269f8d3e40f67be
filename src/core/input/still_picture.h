#pragma once

#include "core/input/frame_buffer_pool.h"
#include "core/input/media_file.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringView>

#include <optional>

namespace vantrel {

// The sizes a picture's header gives.
struct PictureHeader
{
    QSize decoded;     // as the decoder makes it, before the orientation is applied
    QSize upright;     // the page: decoded, turned upright
    QSize fullUpright; // the picture's own size, upright; larger than `upright` when reduced
};

// The pictures Qt's readers decode: JPEG, PNG and BMP, told apart by content, and WebP and TIFF,
// each read only as what its extension says.
enum class PictureKind { Common, WebP, Tiff };

// The kind of a lower-case file extension.
std::optional<PictureKind> pictureKindOf(QStringView suffix);

// A JPEG, PNG, BMP, WebP or TIFF picture: one page, decoded on the first load and kept, turned upright by its
// orientation tag. A JPEG too large for memory is decoded at 1/2, 1/4 or 1/8 of its size.
class StillPicture final : public MediaFile
{
public:
    // The picture takes its memory from `buffers` when given.
    static int open(const QString& path, PictureKind kind, std::unique_ptr<MediaFile>& out,
                    std::shared_ptr<FrameBufferPool> buffers = {});
    // The same for a file held in memory.
    static int openBytes(const QByteArray& bytes, PictureKind kind, std::unique_ptr<MediaFile>& out);

    int frameCount() const override { return 1; }
    int frameDelayMs() const override { return 0; }
    QSize frameSize() const override { return header_.upright; }
    QSize fullSize() const override { return header_.fullUpright; }
    bool decodesFramesAlone() const override { return true; }
    qint64 framesDecoded() const override { return framesDecoded_; }
    int load(int firstPage, int count, QList<QImage>& frames) override;
    int keep(int firstPage, int count) override;

private:
    StillPicture(QString path, QByteArray bytes, PictureKind kind, std::shared_ptr<FrameBufferPool> buffers)
        : path_(std::move(path)), bytes_(std::move(bytes)), kind_(kind), buffers_(std::move(buffers))
    {}

    static int start(std::unique_ptr<StillPicture> picture, std::unique_ptr<MediaFile>& out);
    std::unique_ptr<QIODevice> openData() const; // null when it can't be read

    QString path_;     // empty for a file in memory
    QByteArray bytes_; // the file in memory
    PictureKind kind_;
    std::shared_ptr<FrameBufferPool> buffers_; // null: memory of Qt's own
    PictureHeader header_;
    QImage picture_; // null until the first load
    qint64 framesDecoded_ = 0;
};

} // namespace vantrel
