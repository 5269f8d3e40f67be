#include "cli/cli_commands.h"

#include "core/app/atomic_save.h"
#include "core/files/anim_reader.h"
#include "core/files/anim_result.h"
#include "core/files/anim_strip.h"

#include <QBuffer>
#include <QFileInfo>
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
    const AnimKind kind = animKindOf(path);
    const QFileInfo output(request.output);
    if (output.exists() && output.canonicalFilePath() == QFileInfo(path).canonicalFilePath()) {
        reportError(QStringLiteral("%1: the output would replace the input file").arg(request.output));
        return ExitUsage;
    }
    auto readFailure = [&](int result) {
        return fail(path, QStringLiteral("error %1: %2").arg(result).arg(animResultMessage(result)));
    };

    // Check every record and the picture's size before decoding a single frame.
    AnimContents contents;
    if (const int result = readAnimationFile(path, kind, contents, 0); result != AnimOk)
        return readFailure(result);
    if (contents.records.isEmpty())
        return fail(path, QStringLiteral("the file holds no frame"));
    QList<QSize> sizes;
    for (const FrameRecordInfo& record : contents.records)
        sizes.append(QSize(record.width, record.height));
    if (!stripSize(sizes, request.scale).isValid())
        return fail(path, QStringLiteral("%1 frames at scale %2 make a picture too large to write")
                              .arg(contents.frameCount())
                              .arg(request.scale));

    if (const int result = readAnimationFile(path, kind, contents); result != AnimOk)
        return readFailure(result);

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
