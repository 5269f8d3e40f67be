#pragma once

#include "core/files/anim_file.h"

#include <QImage>
#include <QList>
#include <QString>

namespace vantrel {

class FrameStore;

// The frames a load puts into the store, in file order.
struct LoadedFrames
{
    QList<QImage> colour; // 24-bit: the grey of each level
    QList<QImage> mono;   // the four panel levels, MonoPalette
    int colorCode = -1;   // of the file's last frame; the window takes it when it inserts frames
    int fileFrames = 0;   // records in the file: more than the frames when some did not fit
};

// Reads and checks every record of the file at `path`, under the name it has, and converts
// the first frames that fit beside storeCount frames (possibly none), so that a load never
// holds more frames than it can insert. AnimNoFrames when the file is missing or an animation
// announces no frame; file.systemReason() tells the system's reason of a failure. `out` is
// replaced only on success.
int loadFramesForStore(TAnimFile& file, const QString& path, int storeCount, LoadedFrames& out);

// Where new frames go: at `current` (the 0-based frame the user sees) or after it; 0 in an
// empty store.
int insertIndexAt(int storeCount, int current, bool after);

// Inserts the frames in order from index on and returns how many went in; the last one
// inserted is selected.
int insertLoadedFrames(FrameStore& store, int index, const LoadedFrames& frames);

// The save after its dialog: sets the file (kind by the extension) and writes the mono frames
// with the colour code.
int saveStoreFrames(TAnimFile& file, const QString& path, const QList<QImage>& monoFrames, int colorCode);

} // namespace vantrel
