#include "cli/cli_export.h"

#include "cli/cli_commands.h"
#include "cli/cli_read.h"
#include "core/files/anim_export.h"
#include "core/panel/panel_description.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel::cli {

namespace {

int fail(const QString& file, const QString& message)
{
    reportError(QStringLiteral("%1: %2").arg(file, message));
    return ExitFailed;
}

QString exportFailureText(int result)
{
    switch (result) {
    case ExportSizesDiffer:
        return QStringLiteral("the frames are not all of one size");
    case ExportTooLarge:
        return QStringLiteral("the pictures would be too large to write; try a smaller --scale");
    case ExportPictureMissing:
        return QStringLiteral("the panel picture can't be read");
    default:
        return QStringLiteral("the animation could not be encoded");
    }
}

} // namespace

int runExport(const CliRequest& request)
{
    const QString& path = request.files.first();
    if (outputReplacesInput(path, request.output))
        return ExitUsage;
    ExportOptions options;
    options.scale = request.scale;
    options.dots = request.dots;
    options.delayMs = request.delayMs;
    if (!request.panel.isEmpty()) {
        PanelDescription description;
        if (const int result = readPanelDescriptionFile(request.panel, description); result != PanelOk)
            return fail(request.panel,
                        QStringLiteral("error %1: not a readable panel description").arg(result));
        options.levels = description.levels;
        // The faceplate picture lives beside its description, as the window looks for it.
        options.panelPicture = QFileInfo(request.panel).dir().filePath(description.panelFile);
        options.panel = description;
    }

    AnimContents contents;
    if (const int status = readFramesOrReport(path, contents); status != ExitOk)
        return status;
    options.colorCode =
        static_cast<std::uint8_t>(request.colorCode >= 0 ? request.colorCode : contents.lastColorCode());
    QString reason;
    const int result = exportAnimationFile(contents.frames, request.output, options, &reason);
    if (result == ExportWriteFailed)
        return fail(request.output, reason);
    if (result != ExportOk) {
        const QString text = exportFailureText(result);
        return fail(result == ExportPictureMissing ? options.panelPicture : path,
                    reason.isEmpty() ? text : text + QStringLiteral(": ") + reason);
    }
    return ExitOk;
}

} // namespace vantrel::cli
