#include "support/test_files.h"

#include <QFile>
#include <QImageWriter>
#include <QtEndian>

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
