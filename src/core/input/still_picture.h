#pragma once

#include "core/input/media_file.h"

namespace vantrel {

// A JPEG, PNG or BMP picture: one page, decoded on the first load and kept.
class StillPicture final : public MediaFile
{
public:
    static int open(const QString& path, std::unique_ptr<MediaFile>& out);

    int frameCount() const override { return 1; }
    int frameDelayMs() const override { return 0; }
    QSize frameSize() const override { return size_; }
    int load(int firstPage, int count, QList<QImage>& frames) override;

private:
    StillPicture(QString path, QSize size) : path_(std::move(path)), size_(size) {}

    QString path_;
    QSize size_;
    QImage picture_; // null until the first load
};

} // namespace vantrel
