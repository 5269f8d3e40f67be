#pragma once

namespace vantrel::ffmpeg {

// FFmpeg reports to stderr by default; this program reports through result codes instead.
// Safe to call from any thread, any number of times.
void silenceLog();

} // namespace vantrel::ffmpeg
