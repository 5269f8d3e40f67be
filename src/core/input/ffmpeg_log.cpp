#include "core/input/ffmpeg_log.h"

extern "C" {
#include <libavutil/log.h>
}

#include <mutex>

namespace vantrel::ffmpeg {

void silenceLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

} // namespace vantrel::ffmpeg
