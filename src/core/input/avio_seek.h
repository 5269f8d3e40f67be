#pragma once

#include <QtGlobal>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
}

#include <cstdio>

namespace vantrel {

// What an in-memory AVIO seek callback answers for a stream of `size` bytes at `position`: the
// size for AVSEEK_SIZE, else the new position (0..limit), or AVERROR(EINVAL).
inline int64_t avioSeekTarget(qint64 position, qint64 size, int64_t offset, int whence, qint64 limit)
{
    qint64 base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = position;
        break;
    case SEEK_END:
        base = size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    qint64 target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0 || target > limit)
        return AVERROR(EINVAL);
    return target;
}

} // namespace vantrel
