#pragma once

#include "core/input/media_file.h"

#include <QByteArray>

namespace vantrel {

// A HEIC or AVIF photo through libheif: its primary image, upright as its transformations say,
// one page decoded on the first load and kept. The file is read into memory whole, within a
// size limit; the header's picture size is checked against the picture limits before decoding.
class HeifPicture final : public MediaFile
{
public:
    static int open(const QString& path, std::unique_ptr<MediaFile>& out);
    static int openBytes(const QByteArray& bytes, std::unique_ptr<MediaFile>& out);

    int frameCount() const override { return 1; }
    int frameDelayMs() const override { return 0; }
    QSize frameSize() const override { return size_; }
    bool decodesFramesAlone() const override { return true; }
    qint64 framesDecoded() const override { return framesDecoded_; }
    int load(int firstPage, int count, QList<QImage>& frames) override;
    int keep(int firstPage, int count) override;

private:
    HeifPicture(QString path, QByteArray bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}
    static int start(std::unique_ptr<HeifPicture> picture, std::unique_ptr<MediaFile>& out);
    int readBytes(QByteArray& bytes) const;

    QString path_;     // empty for a file in memory
    QByteArray bytes_; // the file in memory
    QSize size_;
    QImage picture_; // null until the first load
    qint64 framesDecoded_ = 0;
};

} // namespace vantrel
