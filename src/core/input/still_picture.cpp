#include "core/input/still_picture.h"

#include "core/input/page_range.h"
#include "core/input/picture_completeness.h"
#include "core/input/picture_limits.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <mutex>

namespace vantrel {

namespace {

constexpr qint64 MiB = 1024 * 1024;

// Handlers allocate in their own format before the 24-bit conversion; 16-bit RGBA PNG at
// 8 bytes a pixel is the widest, so the largest accepted picture still fits.
constexpr int ReaderAllocationLimitMiB = int((MaxDecodedBytes / 3 * 8 + MiB - 1) / MiB);

// The limit is a process-wide Qt setting; it backs up the header check for handlers whose
// header disagrees with the data.
void limitReaderAllocation()
{
    static std::once_flag once;
    std::call_once(once, [] { QImageReader::setAllocationLimit(ReaderAllocationLimitMiB); });
}

// Other installed image plugins are never reached through a misnamed file.
bool isAcceptedFormat(const QByteArray& format)
{
    return format == "jpeg" || format == "png" || format == "bmp";
}

int examineHeader(QImageReader& reader, QSize& size)
{
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead() || !isAcceptedFormat(reader.format()))
        return MediaUnsupported;
    size = reader.size();
    if (size.isEmpty())
        return MediaCorrupt;
    if (exceedsPictureLimits(size.width(), size.height()))
        return MediaTooLarge;
    return MediaOk;
}

// Transparent areas show as unlit (black) dots: premultiplied colour is the colour composited
// onto black.
QImage toOpaqueRgb888(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage rgb(premultiplied.size(), QImage::Format_RGB888);
    if (premultiplied.isNull() || rgb.isNull())
        return {};
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        uchar* target = rgb.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            target[3 * x] = uchar(qRed(source[x]));
            target[3 * x + 1] = uchar(qGreen(source[x]));
            target[3 * x + 2] = uchar(qBlue(source[x]));
        }
    }
    return rgb;
}

int decodePicture(QIODevice& device, QSize expectedSize, QImage& picture)
{
    QImageReader reader(&device);
    QSize size;
    if (const int rc = examineHeader(reader, size))
        return rc;
    if (size != expectedSize) // replaced since it was opened
        return MediaCorrupt;
    // Captured now: the reader forgets the format once it has read.
    const QByteArray format = reader.format();
    QImage decoded;
    if (!reader.read(&decoded) || decoded.size() != size)
        return MediaCorrupt;
    if (!pictureDataComplete(format, device))
        return MediaCorrupt;
    QImage rgb = toOpaqueRgb888(decoded);
    if (rgb.isNull())
        return MediaTooLarge;
    picture = std::move(rgb);
    return MediaOk;
}

} // namespace

int StillPicture::open(const QString& path, std::unique_ptr<MediaFile>& out)
{
    return start(std::unique_ptr<StillPicture>(new StillPicture(path, {})), out);
}

int StillPicture::openBytes(const QByteArray& bytes, std::unique_ptr<MediaFile>& out)
{
    return start(std::unique_ptr<StillPicture>(new StillPicture({}, bytes)), out);
}

int StillPicture::start(std::unique_ptr<StillPicture> picture, std::unique_ptr<MediaFile>& out)
{
    limitReaderAllocation();
    const std::unique_ptr<QIODevice> data = picture->openData();
    if (!data)
        return MediaCannotOpen;
    QImageReader reader(data.get());
    if (const int rc = examineHeader(reader, picture->size_))
        return rc;
    out = std::move(picture);
    return MediaOk;
}

std::unique_ptr<QIODevice> StillPicture::openData() const
{
    std::unique_ptr<QIODevice> device;
    if (path_.isEmpty()) {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(bytes_);
        device = std::move(buffer);
    } else {
        device = std::make_unique<QFile>(path_);
    }
    if (!device->open(QIODevice::ReadOnly))
        return {};
    return device;
}

int StillPicture::load(int firstPage, int count, QList<QImage>& frames)
{
    PageRange range;
    if (const int rc = clampPageRange(firstPage, count, frameCount(), range))
        return rc;
    if (picture_.isNull()) {
        const std::unique_ptr<QIODevice> data = openData();
        if (!data)
            return MediaCannotOpen;
        if (const int rc = decodePicture(*data, size_, picture_))
            return rc;
    }
    frames = QList<QImage>{picture_};
    return MediaOk;
}

} // namespace vantrel
