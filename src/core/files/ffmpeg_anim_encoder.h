#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

namespace vantrel {

// Encodes `count` frames of one size through FFmpeg's encoder and muxer of that name ("gif",
// "apng"), each frame asked of frameAt in turn and shown delayMs, the animation looping
// forever. Frames are Format_Indexed8 (their colour table padded to 256 entries) or
// Format_RGB888, whichever the encoder takes. 0 on success, with the file in `out`; otherwise
// FFmpeg's error code, its text in `reason`, and `out` untouched.
int encodeAnimation(const char* formatName, int count, const std::function<QImage(int)>& frameAt, int delayMs,
                    QByteArray& out, QString* reason = nullptr);

} // namespace vantrel
