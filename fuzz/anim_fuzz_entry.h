#pragma once

#include "core/files/anim_reader.h"
#include "core/files/anim_result.h"
#include "core/files/anim_writer.h"
#include "core/files/frame_record.h"
#include "core/files/panel_levels.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace vantrel::fuzz {

// Reads the bytes as a file of one kind and checks what must hold for any input; 0 when it
// does, otherwise the number of the broken rule.
inline int checkAnimRead(const QByteArray& bytes, AnimKind kind)
{
    AnimContents all;
    const int result = readAnimation(bytes, kind, all);
    if (result != AnimOk && result != AnimCheckFailed && result != AnimDamaged && result != AnimBadDepth)
        return 1;
    // Decoding no frame checks the same records and comes to the same verdict.
    AnimContents none;
    if (readAnimation(bytes, kind, none, 0) != result)
        return 2;
    if (result != AnimOk)
        return 0;
    if (all.frames.size() != all.records.size() || none.records.size() != all.records.size() ||
        !none.frames.isEmpty() || (kind == AnimKind::Frame && all.records.size() != 1))
        return 3;

    bool uniform = true;
    for (qsizetype i = 0; i < all.frames.size(); ++i) {
        const QImage& frame = all.frames[i];
        const FrameRecordInfo& record = all.records[i];
        if (frame.format() != QImage::Format_Indexed8 || frame.width() != record.width ||
            frame.height() != record.height || frame.colorCount() != (1 << record.bits))
            return 4;
        const QImage levels = toPanelLevels(frame);
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const int level = frame.pixelIndex(x, y);
                if (level >= (1 << record.bits))
                    return 4;
                if (levels.pixelIndex(x, y) != QuantizeLevel(ExpandLevel(level, record.bits), 2))
                    return 5;
            }
        }
        const FrameRecordInfo& first = all.records.first();
        uniform = uniform && record.width == first.width && record.height == first.height &&
                  record.bits == first.bits;
    }
    if (!uniform || all.frames.isEmpty())
        return 0;

    // Written back, the frames read as they were, and writing them again gives the same bytes.
    QByteArray written;
    const auto code = static_cast<std::uint8_t>(all.lastColorCode());
    if (encodeAnimation(kind, all.frames, code, written) != AnimOk)
        return 6;
    AnimContents back;
    if (readAnimation(written, kind, back) != AnimOk || back.frames.size() != all.frames.size() ||
        back.lastColorCode() != all.lastColorCode())
        return 7;
    for (qsizetype i = 0; i < all.frames.size(); ++i) {
        if (back.frames[i] != all.frames[i])
            return 7;
    }
    QByteArray rewritten;
    if (encodeAnimation(kind, back.frames, code, rewritten) != AnimOk || rewritten != written)
        return 8;
    return 0;
}

// The input as a one-frame file and as an animation.
inline int runAnimInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const int broken = checkAnimRead(bytes, AnimKind::Frame); broken != 0)
        return broken;
    if (const int broken = checkAnimRead(bytes, AnimKind::Animation); broken != 0)
        return 10 + broken;
    return 0;
}

} // namespace vantrel::fuzz
