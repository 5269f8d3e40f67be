#include "core/input/generation_run.h"

#include "core/frames/frame_store.h"

namespace vantrel {

int generateIntoStore(FrameStore& store, AnimationGenerator& generator, QSize panelSize, int ditherIndex,
                      int insertIndex, const GenerationProgress& progress)
{
    const FrameStore before = store; // frames are shared, not copied
    int position = insertIndex;
    while (!generator.done()) {
        AnimationGenerator::Frame frame;
        const int code = generator.next(frame);
        if (code == 0) {
            if (frame.copyOf >= 0)
                store.duplicateFrame(insertIndex + frame.copyOf, position);
            else
                store.InsertFrame(frame.picture, frame.overlay, panelSize, ditherIndex, position);
            ++position;
        }
        if (code != 0 || (progress && !progress(generator.framesMade()))) {
            store = before;
            return code;
        }
    }
    return 0;
}

} // namespace vantrel
