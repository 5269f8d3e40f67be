#pragma once

#include <QImage>
#include <QList>
#include <QSize>

#include <functional>

namespace vantrel {

class UndoStack;

inline constexpr int MaxFrames = 90;

// The output frames: a 24-bit colour working frame and a 2-bit mono frame per frame, item i
// of one list belonging to item i of the other. The mono list keeps a selection of its own,
// since the panel preview moves it; commands work on the frame track bar's position instead.
class FrameStore
{
public:
    int count() const { return static_cast<int>(colour_.size()); }
    bool isEmpty() const { return colour_.isEmpty(); }
    bool isFull() const { return count() >= MaxFrames; }

    // Frame i (0-based); a null image outside 0..count - 1.
    QImage colourFrame(int index) const;
    QImage monoFrame(int index) const;
    // Replace a frame in place (effects, text); ignored outside 0..count - 1.
    void setColourFrame(int index, const QImage& frame);
    void setMonoFrame(int index, const QImage& frame);

    const QList<QImage>& colourFrames() const { return colour_; }
    const QList<QImage>& monoFrames() const { return mono_; }

    // Selections: 0 in an empty store, otherwise within 0..count - 1.
    int colourSelection() const { return colourSelection_; }
    int monoSelection() const { return monoSelection_; }
    void select(int index); // both lists, clamped into range
    void selectMono(int index);

    // Adds a frame at the index (clamped to 0..count) in both lists and selects it there.
    // Refuses, returning false, when the store already holds MaxFrames: callers check first.
    bool insertFrame(const QImage& colour, const QImage& mono, int index);

    // The colour picture with the overlay added over (0, 0, panel size) (saturating per
    // channel), and its mono conversion with the dithering at ditherIndex, inserted at index.
    bool InsertFrame(const QImage& picture, const QImage& overlay, QSize panelSize, int ditherIndex,
                     int index);

    // A copy of frame `from` inserted at `to` in both lists, selected there.
    bool duplicateFrame(int from, int to);

    // Removes frame i from both lists; the selections keep pointing at the same frame or,
    // when it was the removed one, at the frame that took its place (the new last frame when
    // it was the last).
    void removeFrame(int index);
    void clear();

    // Whether frames would be lost at exit: the store holds frames and changed since the last
    // markSaved(), which a successful save or load calls.
    bool hasUnsavedChanges() const { return !isEmpty() && revision_ != savedRevision_; }
    void markSaved() { savedRevision_ = revision_; }
    // Grows with every change of the frames.
    quint64 revision() const { return revision_; }
    // Called after every change of the frames, whoever makes it.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // Undo snapshots of frames start..start + count - 1, and taking the newest back.
    void pushUndo(UndoStack& stack, int start, int count, bool withColour, bool withMono) const;
    // An undo snapshot of every frame, for commands that remove frames.
    void pushUndoWhole(UndoStack& stack) const;
    bool undo(UndoStack& stack);
    bool redo(UndoStack& stack);

private:
    static int clampedSelection(int index, int count);
    bool restored(bool undone);
    void changed();

    QList<QImage> colour_;
    QList<QImage> mono_;
    int colourSelection_ = 0;
    int monoSelection_ = 0;
    // Counts changes of the frames, not of the selections.
    quint64 revision_ = 0;
    quint64 savedRevision_ = 0;
    std::function<void()> listener_;
};

} // namespace vantrel
