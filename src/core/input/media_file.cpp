#include "core/input/media_file.h"

#include "core/input/heif_picture.h"
#include "core/input/still_picture.h"
#include "core/input/video_file.h"

#include <QFileInfo>

namespace vantrel {

int MediaFile::open(const QString& path, std::unique_ptr<MediaFile>& out,
                    std::shared_ptr<FrameBufferPool> buffers)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::optional<PictureKind> picture = pictureKindOf(suffix);
    const std::optional<VideoContainer> video = videoContainerOf(suffix);
    const bool heif = suffix == u"heic" || suffix == u"heif" || suffix == u"avif";
    if (!picture && !video && !heif)
        return MediaUnsupported;
    if (!QFileInfo(path).isFile())
        return MediaCannotOpen;
    if (heif)
        return HeifPicture::open(path, out);
    return picture ? StillPicture::open(path, *picture, out, std::move(buffers))
                   : VideoFile::open(path, *video, out, {}, std::move(buffers));
}

QString mediaResultMessage(int code)
{
    switch (code) {
    case MediaOk:
        return QStringLiteral("ok");
    case MediaCannotOpen:
        return QStringLiteral("can't open the file");
    case MediaUnsupported:
        return QStringLiteral("not a picture or video this program reads");
    case MediaCorrupt:
        return QStringLiteral("the data does not decode");
    case MediaTooLarge:
        return QStringLiteral("the picture is too large");
    case MediaTimeout:
        return QStringLiteral("decoding took too long");
    case MediaNoFrames:
        return QStringLiteral("no frame to decode");
    default:
        return QStringLiteral("decoder error %1").arg(code);
    }
}

int GetFileInfo(const QString& path, int& totalPages)
{
    std::unique_ptr<MediaFile> file;
    if (const int rc = MediaFile::open(path, file))
        return rc;
    totalPages = file->frameCount();
    return MediaOk;
}

int LoadPages(const QString& path, int firstPage, int count, QList<QImage>& frames, int* delayMs)
{
    std::unique_ptr<MediaFile> file;
    if (const int rc = MediaFile::open(path, file))
        return rc;
    if (const int rc = file->load(firstPage, count, frames))
        return rc;
    if (delayMs)
        *delayMs = file->frameDelayMs();
    return MediaOk;
}

} // namespace vantrel
