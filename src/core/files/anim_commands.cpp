#include "core/files/anim_commands.h"

#include "core/files/anim_result.h"
#include "core/files/panel_levels.h"
#include "core/frames/frame_store.h"

#include <QFileInfo>

#include <algorithm>

namespace vantrel {

int loadFramesForStore(TAnimFile& file, const QString& path, int storeCount, LoadedFrames& out)
{
    const AnimKind kind = file.SetExistingFileName(path);
    if (!QFileInfo::exists(path))
        return AnimNoFrames;
    int count = 1;
    if (kind == AnimKind::Animation) {
        count = file.ReadFrameCount();
        if (count == 0)
            return AnimNoFrames;
    }
    QList<QImage> frames;
    LoadedFrames loaded;
    const int keep = std::clamp(MaxFrames - storeCount, 0, count);
    if (const int result = file.LoadFile(frames, keep, &loaded.fileFrames); result != AnimOk)
        return result;
    loaded.colorCode = file.colorCode();
    for (const QImage& frame : frames) {
        loaded.colour.append(toColourFrame(frame));
        loaded.mono.append(toPanelLevels(frame));
    }
    out = std::move(loaded);
    return AnimOk;
}

int insertIndexAt(int storeCount, int current, bool after)
{
    if (storeCount <= 0)
        return 0;
    return std::clamp(current, 0, storeCount - 1) + (after ? 1 : 0);
}

int insertLoadedFrames(FrameStore& store, int index, const LoadedFrames& frames)
{
    int inserted = 0;
    const qsizetype count = std::min(frames.colour.size(), frames.mono.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (!store.insertFrame(frames.colour[i], frames.mono[i], index + inserted))
            break;
        ++inserted;
    }
    return inserted;
}

int saveStoreFrames(TAnimFile& file, const QString& path, const QList<QImage>& monoFrames, int colorCode)
{
    file.SetFileName(path);
    file.setColorCode(colorCode);
    return file.SaveFile(monoFrames);
}

} // namespace vantrel
