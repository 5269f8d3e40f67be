#include "cli/cli_export.h"
#include "cli/option_values.h"
#include "core/files/anim_export.h"

namespace vantrel::cli {

CliRequest parseExport(const QStringList& arguments)
{
    const ScannedArguments scanned =
        scanArguments(arguments, QStringLiteral("export"),
                      {QStringLiteral("-o"), QStringLiteral("--output"), QStringLiteral("--scale"),
                       QStringLiteral("--panel"), QStringLiteral("--color"), QStringLiteral("--delay")},
                      {QStringLiteral("--dots")});
    if (!scanned.error.isEmpty())
        return usageError(scanned.error);
    CliRequest request;
    request.command = Command::Export;
    request.files = scanned.files;
    request.scale = ExportOptions{}.scale;
    for (const Option& option : scanned.options) {
        RangedValue ranged;
        if (option.name == QLatin1String("--dots")) {
            request.dots = true;
        } else if (option.name == QLatin1String("--scale")) {
            ranged = parseRanged(option.name, option.value, 1, MaxExportScale);
            request.scale = ranged.value;
        } else if (option.name == QLatin1String("--delay")) {
            ranged = parseRanged(option.name, option.value, MinExportDelayMs, MaxExportDelayMs);
            request.delayMs = ranged.value;
        } else if (option.name == QLatin1String("--color")) {
            const std::optional<int> code = parseColorCode(option.value);
            if (!code)
                return usageError(colorCodeError(option.value));
            request.colorCode = *code;
        } else if (option.name == QLatin1String("--panel")) {
            request.panel = option.value;
        } else {
            request.output = option.value;
        }
        if (!ranged.error.isEmpty())
            return usageError(ranged.error);
    }
    if (request.files.size() != 1)
        return usageError(QStringLiteral("export takes exactly one FILE"));
    if (!exportFormatOf(request.output))
        return usageError(QStringLiteral("export needs -o OUT.gif, OUT.apng, OUT.mp4, OUT.webm or OUT.png"));
    return request;
}

} // namespace vantrel::cli
