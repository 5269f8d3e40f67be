#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

namespace vantrel {

enum class AnimationCodec {
    Gif,  // looping forever
    Apng, // looping forever
    H264, // in MP4, played once
    Vp9,  // in WebM, played once
};

// Encodes `count` frames of one size, each asked of frameAt in turn and shown delayMs. Frames
// are Format_Indexed8 (their colour table padded to 256 entries) for GIF and APNG, else
// Format_RGB888 (of even sides for the video codecs). 0 on success, with the file in `out`;
// otherwise FFmpeg's error code, its text in `reason`, and `out` untouched.
int encodeAnimation(AnimationCodec codec, int count, const std::function<QImage(int)>& frameAt, int delayMs,
                    QByteArray& out, QString* reason = nullptr);

} // namespace vantrel
