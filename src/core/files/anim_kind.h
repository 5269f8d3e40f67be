#pragma once

#include <QString>

namespace vantrel {

// The file kind an extension names; the values are those SetFileName returns.
enum class AnimKind : int { Other = 0, Frame = 1, Animation = 2 };

// By the path's extension, ignoring case: ".nml" one frame, ".nma" an animation.
AnimKind animKindOf(const QString& path);

// The default extension for saving that many frames: "nml" for one, "nma" otherwise.
QString defaultAnimExtension(int frameCount);

// The path with ".ext" appended when its file name has no extension (a name typed in a save
// dialog). `extension` may be given with or without its dot.
QString withDefaultExtension(const QString& path, const QString& extension);

} // namespace vantrel
