#pragma once

#include "core/files/anim_reader.h"

#include <QString>

#include <functional>

namespace vantrel::cli {

// Reads every frame of an animation file; a failure, or a file without frames, is reported on
// stderr and gives ExitFailed. `check`, when given, sees the records before any frame is decoded
// and stops the read with any status but ExitOk.
int readFramesOrReport(const QString& path, AnimContents& contents,
                       const std::function<int(const AnimContents&)>& check = {});

// True, after reporting it, when the output file is the input file under another name.
bool outputReplacesInput(const QString& input, const QString& output);

} // namespace vantrel::cli
