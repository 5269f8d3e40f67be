#include "support/test_files.h"

#include <libheif/heif.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>

#include <cstring>
#include <memory>

namespace vantrel::test {

namespace {

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    return bigEndian(quint32(data.size())) + typed + bigEndian(crc32(typed));
}

} // namespace

QString writePicture(const QTemporaryDir& dir, const QString& name, const QImage& picture,
                     const QByteArray& format)
{
    const QString path = dir.filePath(name);
    QImageWriter writer(path, format);
    if (writer.format() == "jpeg")
        writer.setQuality(95);
    return writer.write(picture) ? path : QString();
}

QByteArray pngAnnouncing(quint32 width, quint32 height)
{
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    // Bit depth 8, colour type 2 (RGB), deflate, adaptive filtering, no interlace.
    const QByteArray header = bigEndian(width) + bigEndian(height) + QByteArray("\x08\x02\x00\x00\x00", 5);
    const QByteArray someData = qCompress(QByteArray(64, '\0')).mid(4); // zlib stream, no length prefix
    return QByteArray(signature, 8) + pngChunk("IHDR", header) + pngChunk("IDAT", someData) +
           pngChunk("IEND", {});
}

QByteArray jpegWithOrientation(const QImage& picture, int orientation)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "jpeg", 95))
        return {};
    // APP1 "Exif": a big-endian TIFF header and one IFD holding the orientation (tag 0x0112,
    // type SHORT, one value), put right after the start-of-image marker.
    const QByteArray tiff =
        QByteArray("MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01", 18) +
        QByteArray(1, '\0') + QByteArray(1, char(orientation)) + QByteArray("\x00\x00\x00\x00\x00\x00", 6);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(payload.size()) + 2;
    const QByteArray segment = QByteArray("\xff\xe1", 2) + QByteArray(1, char(length >> 8)) +
                               QByteArray(1, char(length & 0xff)) + payload;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QByteArray heifPicture(const QImage& picture, bool av1)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(), heif_context_free);
    heif_encoder* rawEncoder = nullptr;
    if (!context || heif_context_get_encoder_for_format(
                        context.get(), av1 ? heif_compression_AV1 : heif_compression_HEVC, &rawEncoder)
                            .code != heif_error_Ok)
        return {};
    std::unique_ptr<heif_encoder, void (*)(heif_encoder*)> encoder(rawEncoder, heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder.get(), 95);
    heif_image* rawImage = nullptr;
    if (heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                          &rawImage)
            .code != heif_error_Ok)
        return {};
    std::unique_ptr<heif_image, void (*)(const heif_image*)> image(rawImage, heif_image_release);
    if (heif_image_add_plane(image.get(), heif_channel_interleaved, rgb.width(), rgb.height(), 8).code !=
        heif_error_Ok)
        return {};
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image.get(), heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + qsizetype(y) * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    if (heif_context_encode_image(context.get(), image.get(), encoder.get(), nullptr, nullptr).code !=
        heif_error_Ok)
        return {};
    QByteArray bytes;
    heif_writer writer{};
    writer.writer_api_version = 1;
    writer.write = [](heif_context*, const void* data, size_t size, void* out) {
        static_cast<QByteArray*>(out)->append(static_cast<const char*>(data), qsizetype(size));
        return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
    };
    if (heif_context_write(context.get(), &writer, &bytes).code != heif_error_Ok)
        return {};
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace vantrel::test
