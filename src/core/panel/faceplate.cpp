#include "core/panel/faceplate.h"

#include "core/app/view_sizing.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>

namespace vantrel {
namespace {

// The "None" entry of the dithering list: the info strip is never dithered.
constexpr int NoDithering = 2;

int floorHalf(int value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

// A settings file may hold any coordinates: sums are kept where later arithmetic can't overflow.
int offset(int origin, int value)
{
    constexpr qint64 limit = qint64{1} << 24;
    return static_cast<int>(std::clamp(qint64{origin} + value, -limit, limit));
}

QRect placed(QPoint origin, const PanelRect& rect)
{
    return {offset(origin.x(), rect[0]), offset(origin.y(), rect[1]), inclusiveExtent(rect[0], rect[2]),
            inclusiveExtent(rect[1], rect[3])};
}

} // namespace

QPoint centredOrigin(QSize box, QSize picture)
{
    return {floorHalf(box.width() - picture.width()), floorHalf(box.height() - picture.height())};
}

bool buildFaceplate(const QString& picturePath, const PanelRect& infoRect, const PanelRect& viewRect,
                    QSize box, Faceplate& out)
{
    QFile file(picturePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&file);
    QImage picture = reader.read();
    if (picture.isNull())
        return false;
    picture = picture.convertToFormat(QImage::Format_RGB888);

    Faceplate face;
    face.origin = centredOrigin(box, picture.size());
    face.infoGeometry = placed(face.origin, infoRect);
    face.viewGeometry = placed(face.origin, viewRect);
    QImage info = createBitmap(face.infoGeometry.width(), face.infoGeometry.height());
    combine(info, 0, 0, info.width(), info.height(), picture, infoRect[0], infoRect[1], CombineMode::Copy);
    face.info = MakeMono(info, NoDithering);
    face.picture = std::move(picture);
    out = std::move(face);
    return true;
}

} // namespace vantrel
