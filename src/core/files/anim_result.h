#pragma once

#include "core/app/error_text.h"

#include <QString>

namespace vantrel {

// Result codes of the panel animation files and their commands; 0 = success. The values are
// what the error box shows, so they never change.
enum AnimResult : int {
    AnimOk = 0,
    AnimCantOpen = 1,      // extension neither .nml nor .nma, or the file can't be opened or created
    AnimSizeUnknown = 2,   // the file's size can't be determined (a pipe, a socket)
    AnimCheckFailed = 3,   // a frame record's bytes don't XOR to 0xFF
    AnimDamaged = 4,       // truncated, or a header that doesn't start as it must
    AnimWriteFailed = 5,   // fewer bytes written than asked; the old file is kept
    AnimBadDepth = 6,      // bits per pixel other than 1, 2, 4 or 8
    AnimNoFrames = 7,      // load command: the file is missing or announces no frame
    AnimFrameGeometry = 8, // save: a frame over 256 pixels a side, or frames that differ
};

// One line of English for messages outside the window.
QString animResultMessage(int code);
// The window's error box item: the code itself, so AnimFrameGeometry, with no item of its own,
// shows as its number.
ErrorItem animErrorItem(int code);

} // namespace vantrel
