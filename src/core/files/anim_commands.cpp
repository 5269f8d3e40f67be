#include "core/files/anim_commands.h"

#include "core/files/anim_result.h"
#include "core/files/panel_levels.h"
#include "core/frames/frame_store.h"

#include <QFileInfo>

#include <algorithm>

namespace vantrel {

int prepareLoad(TAnimFile& file, const QString& path, int storeCount, int& framesToInsert)
{
    if (!QFileInfo(path).isFile())
        return AnimNoFrames;
    int count = 1;
    if (file.SetFileName(path) == AnimKind::Animation) {
        count = file.ReadFrameCount();
        if (count == 0)
            return AnimNoFrames;
    }
    framesToInsert = std::clamp(MaxFrames - storeCount, 0, count);
    return AnimOk;
}

int readLoadFrames(TAnimFile& file, int framesToInsert, LoadedFrames& out)
{
    QList<QImage> frames;
    if (const int result = file.LoadFile(frames, std::max(framesToInsert, 0)); result != AnimOk)
        return result;
    LoadedFrames loaded;
    loaded.colorCode = file.colorCode();
    for (const QImage& frame : frames) {
        loaded.colour.append(toColourFrame(frame));
        loaded.mono.append(toPanelLevels(frame));
    }
    out = std::move(loaded);
    return AnimOk;
}

int loadFramesForStore(TAnimFile& file, const QString& path, int storeCount, LoadedFrames& out)
{
    int framesToInsert = 0;
    if (const int result = prepareLoad(file, path, storeCount, framesToInsert); result != AnimOk)
        return result;
    return readLoadFrames(file, framesToInsert, out);
}

int loadInsertIndex(const FrameStore& store, bool after)
{
    if (store.isEmpty())
        return store.monoSelection();
    return store.monoSelection() + (after ? 1 : 0);
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
