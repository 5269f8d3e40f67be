#include "cli/cli_commands.h"
#include "cli/cli_read.h"

#include "core/app/atomic_save.h"
#include "core/files/anim_strip.h"

#include <QBuffer>
#include <QImageWriter>

namespace vantrel::cli {

namespace {

int fail(const QString& file, const QString& message)
{
    reportError(QStringLiteral("%1: %2").arg(file, message));
    return ExitFailed;
}

} // namespace

int runRender(const CliRequest& request)
{
    const QString& path = request.files.first();
    if (outputReplacesInput(path, request.output))
        return ExitUsage;
    AnimContents contents;
    const auto fitsPicture = [&](const AnimContents& records) {
        QList<QSize> sizes;
        for (const FrameRecordInfo& record : records.records)
            sizes.append(QSize(record.width, record.height));
        if (stripSize(sizes, request.scale).isValid())
            return ExitOk;
        return fail(path, QStringLiteral("%1 frames at scale %2 make a picture too large to write")
                              .arg(records.frameCount())
                              .arg(request.scale));
    };
    if (const int status = readFramesOrReport(path, contents, fitsPicture); status != ExitOk)
        return status;

    const int code = request.colorCode >= 0 ? request.colorCode : contents.lastColorCode();
    const QImage strip = renderStrip(contents.frames, request.scale, static_cast<std::uint8_t>(code), {});
    if (strip.isNull())
        return fail(path, QStringLiteral("not enough memory for the picture"));

    // Encoded in memory first, so that a failed write is reported once, with its reason.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(strip))
        return fail(path, writer.errorString());
    QString reason;
    if (saveBytesAtomically(request.output, png, &reason) != Saved)
        return fail(request.output, reason);
    return ExitOk;
}

} // namespace vantrel::cli
