#pragma once

#include "core/input/heif_picture.h"
#include "core/input/picture_limits.h"
#include "core/input/still_picture.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Opens the bytes as the kind of picture their first bytes suggest, as a file of that extension
// would be opened.
inline int openPictureBytes(const QByteArray& bytes, std::unique_ptr<MediaFile>& out)
{
    if (bytes.mid(4, 4) == "ftyp")
        return HeifPicture::openBytes(bytes, out);
    PictureKind kind = PictureKind::Common;
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        kind = PictureKind::WebP;
    else if (bytes.startsWith("II*") || bytes.startsWith(QByteArray("MM\0*", 4)))
        kind = PictureKind::Tiff;
    return StillPicture::openBytes(bytes, kind, out);
}

// Opens the bytes as a picture, decodes it and checks what must hold for any input; 0 when it
// does, otherwise the number of the broken rule.
inline int runPictureInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    std::unique_ptr<MediaFile> picture;
    const int opened = openPictureBytes(bytes, picture);
    if (opened != MediaOk)
        return opened == MediaUnsupported || opened == MediaCorrupt || opened == MediaTooLarge ? 0 : 1;
    const QSize announced = picture->frameSize();
    if (picture->frameCount() != 1 || announced.isEmpty() ||
        exceedsPictureLimits(announced.width(), announced.height()))
        return 2;

    QList<QImage> frames;
    const int loaded = picture->load(1, 1, frames);
    if (loaded != MediaOk)
        return (loaded == MediaCorrupt || loaded == MediaTooLarge) && frames.isEmpty() ? 0 : 3;
    if (frames.size() != 1 || frames[0].format() != QImage::Format_RGB888 || frames[0].size() != announced)
        return 4;
    // Later loads give the picture decoded the first time.
    QList<QImage> again;
    if (picture->load(0, 3, again) != MediaOk || again != frames)
        return 5;
    return 0;
}

} // namespace vantrel::fuzz
