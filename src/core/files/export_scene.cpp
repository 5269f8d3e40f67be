#include "core/files/export_scene.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/median_cut.h"
#include "core/panel/faceplate.h"
#include "core/panel/lit_panel.h"

#include <cstring>

namespace vantrel {
namespace {

bool fits(qint64 width, qint64 height)
{
    return width >= 1 && height >= 1 && width <= MaxExportSide && height <= MaxExportSide;
}

QRect scaled(const QRect& rect, int scale)
{
    return {rect.topLeft() * scale, rect.size() * scale};
}

// Copies indexes row by row; `at` is where the source's top-left goes, inside the target.
void copyIndexes(QImage& target, QPoint at, const QImage& source, int offset)
{
    for (int y = 0; y < source.height(); ++y) {
        const uchar* in = source.constScanLine(y);
        uchar* out = target.scanLine(at.y() + y) + at.x();
        for (int x = 0; x < source.width(); ++x)
            out[x] = static_cast<uchar>(in[x] + offset);
    }
}

} // namespace

int buildExportScene(QSize frameSize, const ExportOptions& options, bool indexed, ExportScene& out)
{
    const int scale = options.scale;
    if (scale < 1 || scale > MaxExportScale || options.delayMs < MinExportDelayMs ||
        options.delayMs > MaxExportDelayMs)
        return ExportBadOptions;
    ExportScene scene;
    scene.tints = panelPalette(options.levels, options.colorCode);
    if (options.dots)
        scene.dots = options.panel ? DotGeometry{options.panel->pixelWidth, options.panel->pixelHeight,
                                                 options.panel->pixelSpace}
                                   : options.dotGeometry;
    if (!options.panel) {
        if (!fits(qint64{frameSize.width()} * scale, qint64{frameSize.height()} * scale))
            return ExportTooLarge;
        scene.size = scene.dots ? dottedPanelSize(frameSize, scale, *scene.dots) : frameSize * scale;
        scene.view = QRect(QPoint(), scene.size);
        out = std::move(scene);
        return ExportOk;
    }

    Faceplate face;
    if (!buildFaceplate(options.panelPicture, options.panel->infoRect, options.panel->viewRect, QSize(),
                        face))
        return ExportPictureMissing;
    // In the picture's own coordinates; what lies outside the picture shows the gap colour, as
    // the faceplate view shows its box.
    const QRect picture(QPoint(), face.picture.size());
    QRect view = face.viewGeometry.translated(-face.origin);
    QRect info = face.infoGeometry.translated(-face.origin);
    const QRect canvas = picture | view | info;
    if (!fits(qint64{canvas.width()} * scale, qint64{canvas.height()} * scale))
        return ExportTooLarge;
    const QPoint shift = -canvas.topLeft();
    view.translate(shift);
    info.translate(shift);

    QImage backdrop(canvas.size(), QImage::Format_RGB888);
    if (backdrop.isNull())
        return ExportTooLarge;
    backdrop.fill(QColor::fromRgb(DotGapColour));
    combine(backdrop, shift.x(), shift.y(), picture.width(), picture.height(), face.picture, 0, 0,
            CombineMode::Copy);
    QImage tintedInfo = face.info;
    SetPanelPalette(tintedInfo, options.levels, options.colorCode);
    combine(backdrop, info.x(), info.y(), info.width(), info.height(), tintedInfo, 0, 0, CombineMode::Copy);
    scene.size = canvas.size() * scale;
    scene.view = scaled(view, scale);
    scene.backdrop = resizeNearest(backdrop, scene.size.width(), scene.size.height());
    if (scene.backdrop.isNull())
        return ExportTooLarge;

    if (indexed) {
        const QImage reduced = medianCut(face.picture, 256 - LitPanelEntries);
        QImage indexes(canvas.size(), QImage::Format_Indexed8);
        if (reduced.isNull() || indexes.isNull())
            return ExportTooLarge;
        QList<QRgb> table = litPanelColours(scene.tints);
        table.append(reduced.colorTable());
        indexes.setColorTable(table);
        indexes.fill(DotGapEntry);
        copyIndexes(indexes, picture.topLeft() + shift, reduced, LitPanelEntries);
        copyIndexes(indexes, info.topLeft(), face.info, 0); // its pixels are levels
        scene.indexedBackdrop = resizeNearest(indexes, scene.size.width(), scene.size.height());
        if (scene.indexedBackdrop.isNull())
            return ExportTooLarge;
    }
    out = std::move(scene);
    return ExportOk;
}

QImage renderSceneFrame(const ExportScene& scene, const QImage& mono, bool indexed)
{
    const QImage panel =
        renderLitPanel(mono, scene.view.size(), scene.tints, scene.dots ? &*scene.dots : nullptr);
    const QImage& backdrop = indexed ? scene.indexedBackdrop : scene.backdrop;
    if (panel.isNull() || backdrop.isNull())
        return indexed || panel.isNull() ? panel : panel.convertToFormat(QImage::Format_RGB888);
    QImage frame = backdrop;
    if (indexed) {
        for (int y = 0; y < panel.height(); ++y)
            std::memcpy(frame.scanLine(scene.view.y() + y) + scene.view.x(), panel.constScanLine(y),
                        std::size_t(panel.width()));
    } else {
        combine(frame, scene.view.x(), scene.view.y(), panel.width(), panel.height(), panel, 0, 0,
                CombineMode::Copy);
    }
    return frame;
}

} // namespace vantrel
