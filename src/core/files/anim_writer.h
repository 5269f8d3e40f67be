#pragma once

#include "core/files/anim_kind.h"

#include <QByteArray>
#include <QImage>
#include <QList>

#include <cstdint>

namespace vantrel {

// The bytes of a file of the given kind holding the frames: the first frame alone for a
// one-frame file, all of them after the 4-byte header for an animation. Each pixel is stored
// as its level: the palette index of an indexed frame, the top bits of the grey of an 8-bit
// grey frame. Every frame written must have the first one's depth (1, 2, 4 or 8 bits, else
// AnimBadDepth) and size (1..256 pixels a side, else AnimFrameGeometry); an animation holds at
// most 65535 frames. `out` is replaced only when the result is 0.
int encodeAnimation(AnimKind kind, const QList<QImage>& frames, std::uint8_t colorCode, QByteArray& out);

// The index of the first frame whose size differs from the first frame's, -1 when all match:
// the frame a user must delete or replace before the frames can be saved as one animation.
int firstFrameOfOtherSize(const QList<QImage>& frames);

} // namespace vantrel
