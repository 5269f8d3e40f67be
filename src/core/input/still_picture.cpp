#include "core/input/still_picture.h"

#include "core/input/page_range.h"
#include "core/input/picture_completeness.h"
#include "core/input/picture_limits.h"

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

int decodePicture(const QString& path, QSize expectedSize, QImage& picture)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MediaCannotOpen;
    QImageReader reader(&file);
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
    if (!pictureDataComplete(format, file))
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
    limitReaderAllocation();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MediaCannotOpen;
    QImageReader reader(&file);
    QSize size;
    if (const int rc = examineHeader(reader, size))
        return rc;
    out.reset(new StillPicture(path, size));
    return MediaOk;
}

int StillPicture::load(int firstPage, int count, QList<QImage>& frames)
{
    PageRange range;
    if (const int rc = clampPageRange(firstPage, count, frameCount(), range))
        return rc;
    if (picture_.isNull()) {
        if (const int rc = decodePicture(path_, size_, picture_))
            return rc;
    }
    frames = QList<QImage>{picture_};
    return MediaOk;
}

} // namespace vantrel
