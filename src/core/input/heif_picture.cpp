#include "core/input/heif_picture.h"

#include "core/input/page_range.h"
#include "core/input/picture_limits.h"

#include <libheif/heif.h>

#include <QFile>

#include <memory>

namespace vantrel {

namespace {

// Larger files are not photos this program takes.
constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;

using ContextPtr = HeifPicture::ContextPtr;
using HandlePtr = HeifPicture::HandlePtr;

struct ImageRelease
{
    void operator()(heif_image* image) const { heif_image_release(image); }
};
using ImagePtr = std::unique_ptr<heif_image, ImageRelease>;

// The primary image of the file in `bytes`, which must outlive the context.
int openPrimary(const QByteArray& bytes, ContextPtr& context, HandlePtr& handle)
{
    if (heif_check_filetype(reinterpret_cast<const uint8_t*>(bytes.constData()),
                            int(std::min<qsizetype>(bytes.size(), 12))) == heif_filetype_no)
        return MediaUnsupported;
    context.reset(heif_context_alloc());
    if (!context)
        return MediaCannotOpen;
    if (heif_context_read_from_memory_without_copy(context.get(), bytes.constData(), size_t(bytes.size()),
                                                   nullptr)
            .code != heif_error_Ok)
        return MediaCorrupt;
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return MediaCorrupt;
    handle.reset(primary);
    return MediaOk;
}

// The size after the file's transformations, as the decoder delivers it.
int examine(const heif_image_handle& handle, QSize& size)
{
    size = QSize(heif_image_handle_get_width(&handle), heif_image_handle_get_height(&handle));
    if (size.isEmpty())
        return MediaCorrupt;
    return exceedsPictureLimits(size.width(), size.height()) ? MediaTooLarge : MediaOk;
}

// Transparent areas show as unlit (black) dots, as in the other pictures.
QImage toRgb888(const heif_image& image, bool alpha, QSize size)
{
    const heif_channel channel = heif_channel_interleaved;
    if (heif_image_get_width(&image, channel) != size.width() ||
        heif_image_get_height(&image, channel) != size.height())
        return {};
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(&image, channel, &stride);
    QImage rgb(size, QImage::Format_RGB888);
    if (!plane || rgb.isNull())
        return {};
    for (int y = 0; y < size.height(); ++y) {
        const uint8_t* source = plane + qsizetype(y) * stride;
        uchar* target = rgb.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const uint8_t* pixel = source + x * (alpha ? 4 : 3);
            for (int c = 0; c < 3; ++c)
                target[3 * x + c] = alpha ? uchar((pixel[c] * pixel[3] + 127) / 255) : pixel[c];
        }
    }
    return rgb;
}

} // namespace

void HeifPicture::ContextFree::operator()(heif_context* context) const
{
    heif_context_free(context);
}

void HeifPicture::HandleRelease::operator()(heif_image_handle* handle) const
{
    heif_image_handle_release(handle);
}

int HeifPicture::open(const QString& path, std::unique_ptr<MediaFile>& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MediaCannotOpen;
    if (file.size() > MaxFileBytes)
        return MediaTooLarge;
    return openBytes(file.readAll(), out);
}

// The file is parsed once: the page decodes later from the handle kept here.
int HeifPicture::openBytes(const QByteArray& bytes, std::unique_ptr<MediaFile>& out)
{
    std::unique_ptr<HeifPicture> picture(new HeifPicture(bytes));
    if (const int rc = openPrimary(picture->bytes_, picture->context_, picture->handle_))
        return rc;
    if (const int rc = examine(*picture->handle_, picture->size_))
        return rc;
    out = std::move(picture);
    return MediaOk;
}

HeifPicture::~HeifPicture() = default;

int HeifPicture::load(int firstPage, int count, QList<QImage>& frames)
{
    PageRange range;
    if (const int rc = clampPageRange(firstPage, count, frameCount(), range))
        return rc;
    if (picture_.isNull()) {
        ++framesDecoded_;
        const bool alpha = heif_image_handle_has_alpha_channel(handle_.get());
        heif_image* decoded = nullptr;
        if (heif_decode_image(handle_.get(), &decoded, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr)
                .code != heif_error_Ok)
            return MediaCorrupt;
        const ImagePtr image(decoded);
        QImage rgb = toRgb888(*image, alpha, size_);
        if (rgb.isNull())
            return MediaCorrupt;
        picture_ = std::move(rgb);
    }
    frames = QList<QImage>{picture_};
    return MediaOk;
}

int HeifPicture::keep(int firstPage, int count)
{
    QList<QImage> frames;
    return load(firstPage, count, frames);
}

} // namespace vantrel
