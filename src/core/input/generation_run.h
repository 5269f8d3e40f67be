#pragma once

#include "core/input/animation_generator.h"

#include <QSize>

#include <functional>

namespace vantrel {

class FrameStore;

// Called after each frame made with the number made so far; false cancels the run.
using GenerationProgress = std::function<bool(int framesMade)>;

// Runs the generator into the store from insertIndex on, each picture dithered with the method
// at ditherIndex. 0, also for a cancelled run; or the input's failure code. A cancelled or
// failed run leaves the store as it was.
int generateIntoStore(FrameStore& store, AnimationGenerator& generator, QSize panelSize, int ditherIndex,
                      int insertIndex, const GenerationProgress& progress = {});

} // namespace vantrel
