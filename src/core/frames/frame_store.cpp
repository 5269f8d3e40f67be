#include "core/frames/frame_store.h"

#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"
#include "core/imaging/undo_stack.h"

#include <algorithm>

namespace vantrel {

int FrameStore::clampedSelection(int index, int count)
{
    return count <= 0 ? 0 : std::clamp(index, 0, count - 1);
}

QImage FrameStore::colourFrame(int index) const
{
    return index >= 0 && index < count() ? colour_[index] : QImage();
}

QImage FrameStore::monoFrame(int index) const
{
    return index >= 0 && index < count() ? mono_[index] : QImage();
}

void FrameStore::setColourFrame(int index, const QImage& frame)
{
    if (index >= 0 && index < count()) {
        colour_[index] = frame;
        changed();
    }
}

void FrameStore::setMonoFrame(int index, const QImage& frame)
{
    if (index >= 0 && index < count()) {
        mono_[index] = frame;
        changed();
    }
}

void FrameStore::select(int index)
{
    colourSelection_ = clampedSelection(index, count());
    monoSelection_ = colourSelection_;
}

void FrameStore::selectMono(int index)
{
    monoSelection_ = clampedSelection(index, count());
}

bool FrameStore::insertFrame(const QImage& colour, const QImage& mono, int index)
{
    if (isFull())
        return false;
    const int at = std::clamp(index, 0, count());
    colour_.insert(at, colour);
    mono_.insert(at, mono);
    select(at);
    changed();
    return true;
}

bool FrameStore::InsertFrame(const QImage& picture, const QImage& overlay, QSize panelSize, int ditherIndex,
                             int index)
{
    if (isFull())
        return false;
    QImage colour = picture.convertToFormat(QImage::Format_RGB888);
    if (!overlay.isNull())
        combine(colour, 0, 0, panelSize.width(), panelSize.height(), overlay, 0, 0, CombineMode::Add);
    const QImage mono = MakeMono(colour, ditherIndex);
    return insertFrame(colour, mono, index);
}

bool FrameStore::duplicateFrame(int from, int to)
{
    if (from < 0 || from >= count())
        return false;
    // Copies of the values: inserting may reallocate the lists under a reference.
    const QImage colour = colour_[from];
    const QImage mono = mono_[from];
    return insertFrame(colour, mono, to);
}

void FrameStore::removeFrame(int index)
{
    if (index < 0 || index >= count())
        return;
    colour_.removeAt(index);
    mono_.removeAt(index);
    auto follow = [&](int selection) {
        return clampedSelection(selection > index ? selection - 1 : selection, count());
    };
    colourSelection_ = follow(colourSelection_);
    monoSelection_ = follow(monoSelection_);
    changed();
}

void FrameStore::clear()
{
    colour_.clear();
    mono_.clear();
    colourSelection_ = 0;
    monoSelection_ = 0;
    changed();
}

void FrameStore::pushUndo(UndoStack& stack, int start, int count, bool withColour, bool withMono) const
{
    stack.Push(start, count, withColour ? &colour_ : nullptr, withMono ? &mono_ : nullptr);
}

void FrameStore::pushUndoWhole(UndoStack& stack) const
{
    stack.PushWhole(colour_, mono_);
}

bool FrameStore::undo(UndoStack& stack)
{
    return restored(stack.Undo(colour_, mono_));
}

bool FrameStore::redo(UndoStack& stack)
{
    return restored(stack.Redo(colour_, mono_));
}

bool FrameStore::restored(bool undone)
{
    if (!undone)
        return false;
    // A whole snapshot may bring back fewer or more frames than the selections knew.
    colourSelection_ = clampedSelection(colourSelection_, count());
    monoSelection_ = clampedSelection(monoSelection_, count());
    changed();
    return true;
}

void FrameStore::changed()
{
    ++revision_;
    if (listener_)
        listener_();
}

} // namespace vantrel
