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
};

// The load up to the question of the insert position: sets the file and returns 0 with the
// number of frames to insert, which is the file's frame count cut to what fits beside
// storeCount frames (possibly 0); AnimNoFrames when the file is missing or an animation
// announces no frame.
int prepareLoad(TAnimFile& file, const QString& path, int storeCount, int& framesToInsert);

// Reads the file prepareLoad set, checking every record, and returns the first
// framesToInsert frames ready for the store. On failure `out` is unchanged.
int readLoadFrames(TAnimFile& file, int framesToInsert, LoadedFrames& out);

// Both steps, for callers that don't ask for a position.
int loadFramesForStore(TAnimFile& file, const QString& path, int storeCount, LoadedFrames& out);

// Where loaded frames go: after or before the mono list's selected frame; at the start of an
// empty store.
int loadInsertIndex(const FrameStore& store, bool after);

// Inserts the frames in order from index on and returns how many went in; the last one
// inserted is selected.
int insertLoadedFrames(FrameStore& store, int index, const LoadedFrames& frames);

// The save after its dialog: sets the file (kind by the extension) and writes the mono frames
// with the colour code.
int saveStoreFrames(TAnimFile& file, const QString& path, const QList<QImage>& monoFrames, int colorCode);

} // namespace vantrel
