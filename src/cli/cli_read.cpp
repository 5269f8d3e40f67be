#include "cli/cli_read.h"

#include "cli/cli_args.h"
#include "cli/cli_commands.h"
#include "core/files/anim_result.h"

#include <QFileInfo>

namespace vantrel::cli {

int readFramesOrReport(const QString& path, AnimContents& contents,
                       const std::function<int(const AnimContents&)>& check)
{
    const AnimKind kind = animKindOf(path);
    auto failed = [&](int result) {
        reportError(QStringLiteral("%1: error %2: %3").arg(path).arg(result).arg(animResultMessage(result)));
        return ExitFailed;
    };
    // Every record is checked before a single frame is decoded.
    if (const int result = readAnimationFile(path, kind, contents, 0); result != AnimOk)
        return failed(result);
    if (contents.records.isEmpty()) {
        reportError(QStringLiteral("%1: the file holds no frame").arg(path));
        return ExitFailed;
    }
    if (check)
        if (const int status = check(contents); status != ExitOk)
            return status;
    if (const int result = readAnimationFile(path, kind, contents); result != AnimOk)
        return failed(result);
    return ExitOk;
}

bool outputReplacesInput(const QString& input, const QString& output)
{
    const QFileInfo target(output);
    if (!target.exists() || target.canonicalFilePath() != QFileInfo(input).canonicalFilePath())
        return false;
    reportError(QStringLiteral("%1: the output would replace the input file").arg(output));
    return true;
}

} // namespace vantrel::cli
