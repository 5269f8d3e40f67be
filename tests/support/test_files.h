#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace vantrel::test {

// Writes the picture with Qt's writer, the format taken from the name's extension unless
// given. Returns the path, or an empty string when writing failed.
QString writePicture(const QTemporaryDir& dir, const QString& name, const QImage& picture,
                     const QByteArray& format = {});

// A PNG that announces width × height pixels of 8-bit RGB and then holds only a few bytes of
// image data; chunk checksums are correct so readers trust the header.
QByteArray pngAnnouncing(quint32 width, quint32 height);

// The picture as a JPEG whose EXIF orientation tag (1..8) says how to turn it upright, as a
// phone's camera writes portrait photos.
QByteArray jpegWithOrientation(const QImage& picture, int orientation);

// The picture encoded by libheif as HEIC (HEVC) or, with `av1`, AVIF; empty when it can't.
QByteArray heifPicture(const QImage& picture, bool av1);

bool writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

} // namespace vantrel::test
