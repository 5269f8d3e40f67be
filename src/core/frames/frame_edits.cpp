#include "core/frames/frame_edits.h"

#include "core/frames/frame_store.h"
#include "core/imaging/effects.h"
#include "core/imaging/mono_conversion.h"
#include "core/text/text_placement.h"

namespace vantrel {

void applyEffectToFrame(FrameStore& store, int index, int effect, int strength, int ditherIndex)
{
    QImage colour = store.colourFrame(index);
    if (colour.isNull())
        return;
    ApplyEffect(colour, effect, strength);
    store.setMonoFrame(index, MakeMono(colour, ditherIndex));
    store.setColourFrame(index, colour);
}

void insertTextIntoFrame(FrameStore& store, int index, const RenderedText& text, QPointF at)
{
    const QImage mono = store.monoFrame(index);
    if (!mono.isNull())
        store.setMonoFrame(index, composeText(mono, text, at.x(), at.y()));
}

} // namespace vantrel
