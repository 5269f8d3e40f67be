#include "cli/cli_commands.h"

#include "core/files/anim_info.h"

#include <cstdio>

namespace vantrel::cli {

int runInfo(const CliRequest& request)
{
    int status = ExitOk;
    for (const QString& path : request.files) {
        const AnimFileInfo info = inspectAnimFile(path);
        const QByteArray line = request.json ? infoJson(info) : infoLine(info).toUtf8();
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
        std::fputc('\n', stdout);
        if (info.result != 0)
            status = ExitFailed;
    }
    return status;
}

} // namespace vantrel::cli
