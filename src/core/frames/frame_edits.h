#pragma once

#include "core/text/text_render.h"

#include <QPointF>

namespace vantrel {

class FrameStore;

// Frame `index` with the effect of the list at that strength; its mono frame is made again from
// the changed colour frame with the dithering at ditherIndex. Outside the store: nothing.
void applyEffectToFrame(FrameStore& store, int index, int effect, int strength, int ditherIndex);

// The placed text composed into frame `index`'s mono frame at `at` (frame pixels, truncated);
// the colour frame is left as it is. Outside the store: nothing.
void insertTextIntoFrame(FrameStore& store, int index, const RenderedText& text, QPointF at);

} // namespace vantrel
