#include "core/input/still_picture.h"

#include "core/input/page_range.h"
#include "core/input/picture_completeness.h"
#include "core/input/picture_limits.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <mutex>
#include <new>

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

// A file is read only by the decoders its kind names: other installed image plugins are never
// reached through a misnamed file. The common kinds tell each other apart by content.
bool isAcceptedFormat(PictureKind kind, const QByteArray& format)
{
    switch (kind) {
    case PictureKind::Common:
        return format == "jpeg" || format == "png" || format == "bmp";
    case PictureKind::WebP:
        return format == "webp";
    case PictureKind::Tiff:
        return format == "tiff";
    }
    return false;
}

// Camera photos beyond the memory limit are decoded smaller by the JPEG decoder itself, which
// scales by 1/2, 1/4 and 1/8 while decoding; no other format can, so they stay refused.
constexpr qint64 MaxReducedPixels = 256LL * 1024 * 1024;
constexpr int MaxReducedSide = 65535; // the largest a JPEG can be

QSize reducedSize(QSize stored, int divisor)
{
    return {(stored.width() + divisor - 1) / divisor, (stored.height() + divisor - 1) / divisor};
}

int examineHeader(QImageReader& reader, PictureKind kind, PictureHeader& header)
{
    if (kind == PictureKind::Common)
        reader.setDecideFormatFromContent(true);
    else
        reader.setFormat(kind == PictureKind::WebP ? "webp" : "tiff");
    if (!reader.canRead() || !isAcceptedFormat(kind, reader.format()))
        return MediaUnsupported;
    const QSize stored = reader.size();
    if (stored.isEmpty())
        return MediaCorrupt;
    QSize decoded = stored;
    if (exceedsPictureLimits(stored.width(), stored.height())) {
        const bool reducible = reader.format() == "jpeg" && stored.width() <= MaxReducedSide &&
                               stored.height() <= MaxReducedSide &&
                               qint64{stored.width()} * stored.height() <= MaxReducedPixels;
        if (!reducible)
            return MediaTooLarge;
        for (const int divisor : {2, 4, 8}) {
            decoded = reducedSize(stored, divisor);
            if (!exceedsPictureLimits(decoded.width(), decoded.height()))
                break;
        }
        if (exceedsPictureLimits(decoded.width(), decoded.height()))
            return MediaTooLarge;
    }
    // Phones store portrait photos on their side with an orientation tag: pages are upright.
    reader.setAutoTransform(true);
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    header.decoded = decoded;
    header.upright = turned ? decoded.transposed() : decoded;
    header.fullUpright = turned ? stored.transposed() : stored;
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

// The 32-bit layout most pictures decode to becomes 24-bit in the same memory, each row keeping
// its stride: a large picture needs no second buffer. Null when memory ran out.
QImage toRgb888InPlace(QImage image)
{
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const QSize size = image.size();
    for (int y = 0; y < size.height(); ++y) {
        uchar* row = bits + y * stride;
        // Pixel x moves from byte 4x to 3x, never onto a pixel not yet read. It is written 4 bytes
        // at a time; the next pixel overwrites the fourth, and the last one's is inside the row.
        for (int x = 0; x < size.width(); ++x) {
            const QRgb pixel = reinterpret_cast<const QRgb*>(row)[x];
            qToLittleEndian<quint32>(quint32(qRed(pixel)) | quint32(qGreen(pixel)) << 8 |
                                         quint32(qBlue(pixel)) << 16,
                                     row + 3 * x);
        }
    }
    auto* owner = new (std::nothrow) QImage(std::move(image));
    if (!owner)
        return {};
    QImage rgb(
        bits, size.width(), size.height(), stride, QImage::Format_RGB888,
        [](void* kept) { delete static_cast<QImage*>(kept); }, owner);
    if (rgb.isNull()) // Qt does not call the cleanup for an image it refused to make
        delete owner;
    return rgb;
}

int decodePicture(QIODevice& device, PictureKind kind, const PictureHeader& expected,
                  FrameBufferPool* buffers, QImage& picture)
{
    QImageReader reader(&device);
    PictureHeader header;
    if (const int rc = examineHeader(reader, kind, header))
        return rc;
    if (header.upright != expected.upright || header.fullUpright != expected.fullUpright)
        return MediaCorrupt; // replaced since it was opened
    // Captured now: the reader forgets the format once it has read.
    const QByteArray format = reader.format();
    QImage decoded;
    if (header.decoded != reader.size())
        reader.setScaledSize(header.decoded);
    // Handlers decode into an image of the size and layout they would make themselves; a turned
    // picture comes out in an image of its own.
    else if (buffers && header.upright == header.decoded && reader.imageFormat() == QImage::Format_RGB32)
        decoded = buffers->take(header.decoded, QImage::Format_RGB32);
    if (!reader.read(&decoded) || decoded.size() != header.upright)
        return MediaCorrupt;
    if (!pictureDataComplete(format, device))
        return MediaCorrupt;
    QImage rgb = decoded.format() == QImage::Format_RGB32 ? toRgb888InPlace(std::move(decoded))
                                                          : toOpaqueRgb888(decoded);
    if (rgb.isNull())
        return MediaTooLarge;
    picture = std::move(rgb);
    return MediaOk;
}

} // namespace

std::optional<PictureKind> pictureKindOf(QStringView suffix)
{
    if (suffix == u"jpg" || suffix == u"jpeg" || suffix == u"png" || suffix == u"bmp")
        return PictureKind::Common;
    if (suffix == u"webp")
        return PictureKind::WebP;
    if (suffix == u"tif" || suffix == u"tiff")
        return PictureKind::Tiff;
    return std::nullopt;
}

int StillPicture::open(const QString& path, PictureKind kind, std::unique_ptr<MediaFile>& out,
                       std::shared_ptr<FrameBufferPool> buffers)
{
    return start(std::unique_ptr<StillPicture>(new StillPicture(path, {}, kind, std::move(buffers))), out);
}

int StillPicture::openBytes(const QByteArray& bytes, PictureKind kind, std::unique_ptr<MediaFile>& out)
{
    return start(std::unique_ptr<StillPicture>(new StillPicture({}, bytes, kind, {})), out);
}

int StillPicture::start(std::unique_ptr<StillPicture> picture, std::unique_ptr<MediaFile>& out)
{
    limitReaderAllocation();
    const std::unique_ptr<QIODevice> data = picture->openData();
    if (!data)
        return MediaCannotOpen;
    QImageReader reader(data.get());
    if (const int rc = examineHeader(reader, picture->kind_, picture->header_))
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
        ++framesDecoded_;
        if (const int rc = decodePicture(*data, kind_, header_, buffers_.get(), picture_))
            return rc;
    }
    frames = QList<QImage>{picture_};
    return MediaOk;
}

// The decoded picture is all a picture keeps.
int StillPicture::keep(int firstPage, int count)
{
    QList<QImage> frames;
    return load(firstPage, count, frames);
}

} // namespace vantrel
