#pragma once

#include "core/app/app_settings.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace vantrel {

// The faceplate view laid out in its box: the picture centred, the info and view rectangles
// over their places on it.
struct Faceplate
{
    QImage picture;
    QPoint origin; // the picture's top-left in the box; negative when it is the larger
    // The info rectangle's part of the picture in the four panel levels (MonoPalette, no
    // dithering); black where the rectangle lies outside the picture.
    QImage info;
    QRect infoGeometry;
    QRect viewGeometry;
};

// Where a picture of that size sits centred in the box: halves rounded towards minus infinity.
QPoint centredOrigin(QSize box, QSize picture);

// Lays out the faceplate from the picture file. False, leaving `out` alone, when there is no
// picture there or it can't be decoded.
bool buildFaceplate(const QString& picturePath, const PanelRect& infoRect, const PanelRect& viewRect,
                    QSize box, Faceplate& out);

} // namespace vantrel
