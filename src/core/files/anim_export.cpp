#include "core/files/anim_export.h"

#include "core/app/atomic_save.h"
#include "core/files/anim_strip.h"
#include "core/files/export_scene.h"
#include "core/files/ffmpeg_anim_encoder.h"
#include "core/imaging/bitmap.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include <cmath>

namespace vantrel {
namespace {

int encodeSpriteSheet(const QList<QImage>& monoFrames, const ExportScene& scene, QByteArray& out,
                      QString* reason)
{
    const qint64 count = monoFrames.size();
    const qint64 columns = static_cast<qint64>(std::ceil(std::sqrt(static_cast<double>(count))));
    const qint64 rows = (count + columns - 1) / columns;
    const qint64 width = columns * (scene.size.width() + 1) - 1;
    const qint64 height = rows * (scene.size.height() + 1) - 1;
    if (width > MaxStripSide || height > MaxStripSide || width * height > MaxStripPixels)
        return ExportTooLarge;
    QImage sheet(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB888);
    if (sheet.isNull())
        return ExportTooLarge;
    sheet.fill(QColor::fromRgb(StripGapColour));
    for (qint64 i = 0; i < count; ++i) {
        const QImage frame = renderSceneFrame(scene, monoFrames[i], false);
        if (frame.isNull())
            return ExportTooLarge;
        combine(sheet, double(i % columns * (scene.size.width() + 1)),
                double(i / columns * (scene.size.height() + 1)), frame.width(), frame.height(), frame, 0, 0,
                CombineMode::Copy);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(sheet)) {
        if (reason)
            *reason = writer.errorString();
        return ExportEncoderFailed;
    }
    out = std::move(png);
    return ExportOk;
}

AnimationCodec codecOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Apng:
        return AnimationCodec::Apng;
    case ExportFormat::Mp4:
        return AnimationCodec::H264;
    case ExportFormat::WebM:
        return AnimationCodec::Vp9;
    default:
        return AnimationCodec::Gif;
    }
}

// Video encoders take 4:2:0 pictures of even sides: an odd side gets a row or column of gap.
QImage evenSized(const QImage& frame)
{
    const QSize even((frame.width() + 1) & ~1, (frame.height() + 1) & ~1);
    if (frame.isNull() || frame.size() == even)
        return frame;
    QImage padded(even, QImage::Format_RGB888);
    if (padded.isNull())
        return {};
    padded.fill(QColor::fromRgb(DotGapColour));
    combine(padded, 0, 0, frame.width(), frame.height(), frame, 0, 0, CombineMode::Copy);
    return padded;
}

} // namespace

std::optional<ExportFormat> exportFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        return ExportFormat::Gif;
    if (suffix == QLatin1String("apng"))
        return ExportFormat::Apng;
    if (suffix == QLatin1String("png"))
        return ExportFormat::SpriteSheet;
    if (suffix == QLatin1String("mp4"))
        return ExportFormat::Mp4;
    if (suffix == QLatin1String("webm"))
        return ExportFormat::WebM;
    return std::nullopt;
}

QImage renderExportFrame(const QImage& monoFrame, const ExportOptions& options)
{
    ExportScene scene;
    if (monoFrame.isNull() || buildExportScene(monoFrame.size(), options, false, scene) != ExportOk)
        return {};
    return renderSceneFrame(scene, monoFrame, false);
}

int exportAnimation(const QList<QImage>& monoFrames, ExportFormat format, const ExportOptions& options,
                    QByteArray& out, QString* reason)
{
    if (monoFrames.isEmpty())
        return ExportNoFrames;
    const QSize frameSize = monoFrames.first().size();
    for (const QImage& frame : monoFrames)
        if (frame.isNull() || frame.size() != frameSize)
            return ExportSizesDiffer;
    // Indexed frames make APNG several times faster to encode and smaller too.
    const bool indexed = format == ExportFormat::Gif || format == ExportFormat::Apng;
    ExportScene scene;
    if (const int result = buildExportScene(frameSize, options, indexed, scene); result != ExportOk)
        return result;
    if (format == ExportFormat::SpriteSheet)
        return encodeSpriteSheet(monoFrames, scene, out, reason);

    if (qint64{scene.size.width()} * scene.size.height() * monoFrames.size() > MaxExportPixels)
        return ExportTooLarge;
    QByteArray bytes;
    const auto frameAt = [&](int i) {
        const QImage frame = renderSceneFrame(scene, monoFrames[i], indexed);
        return indexed ? frame : evenSized(frame);
    };
    if (encodeAnimation(codecOf(format), static_cast<int>(monoFrames.size()), frameAt, options.delayMs, bytes,
                        reason) != 0)
        return ExportEncoderFailed;
    out = std::move(bytes);
    return ExportOk;
}

int exportAnimationFile(const QList<QImage>& monoFrames, const QString& path, const ExportOptions& options,
                        QString* reason)
{
    const std::optional<ExportFormat> format = exportFormatOf(path);
    if (!format)
        return ExportUnknownFormat;
    QByteArray bytes;
    if (const int result = exportAnimation(monoFrames, *format, options, bytes, reason); result != ExportOk)
        return result;
    return saveBytesAtomically(path, bytes, reason) == Saved ? ExportOk : ExportWriteFailed;
}

ErrorItem exportErrorItem(int result)
{
    if (result == ExportWriteFailed)
        return ErrorItem::WriteFailed;
    if (result == ExportPictureMissing)
        return ErrorItem::PanelPictureMissing;
    return ErrorItem::NotProcessed;
}

} // namespace vantrel
