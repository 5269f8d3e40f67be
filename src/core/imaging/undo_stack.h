#pragma once

#include <QImage>
#include <QList>

#include <deque>
#include <optional>

namespace vantrel {

// Snapshots of output frames taken before a command changes them in place, newest on top, and
// of frames an undo replaced, for redo. At most `depth` of each are kept; pushing beyond drops
// the oldest. A snapshot shares the frames'
// pixel data until either side writes to it (QImage copies on write), so it never changes
// with the frames.
class UndoStack
{
public:
    explicit UndoStack(int depth = 10);

    // Saves frames start..start + count - 1 of each list given (null: that list isn't saved).
    // Frames outside a list are not saved. A new command ends what could be redone.
    void Push(int start, int count, const QList<QImage>* colour, const QList<QImage>* mono);
    // Saves both lists whole, for a command that changes how many frames there are: undoing
    // it gives back the lists as they were, length included.
    void PushWhole(const QList<QImage>& colour, const QList<QImage>& mono);

    // Puts the newest snapshot back into the lists it saved and drops it, keeping the frames it
    // replaced for Redo; false when there was none. Frames that no longer exist in a list are
    // skipped.
    bool Undo(QList<QImage>& colour, QList<QImage>& mono);
    // Puts back what the newest undo replaced, which can then be undone again; false when
    // there was nothing.
    bool Redo(QList<QImage>& colour, QList<QImage>& mono);

    // Ends both undo and redo.
    void Clear();
    int count() const { return static_cast<int>(snapshots_.size()); }
    int redoCount() const { return static_cast<int>(redoSnapshots_.size()); }
    int depth() const { return depth_; }

private:
    struct Snapshot
    {
        int start = 0;
        bool whole = false; // replaces the lists instead of frames within them
        std::optional<QList<QImage>> colour;
        std::optional<QList<QImage>> mono;
    };

    static Snapshot take(int start, int count, const QList<QImage>* colour, const QList<QImage>* mono);
    void pushNew(Snapshot snapshot);
    // Moves the newest snapshot of `from` into the lists, and what it replaced onto `to`.
    static bool restore(std::deque<Snapshot>& from, std::deque<Snapshot>& to, int depth,
                        QList<QImage>& colour, QList<QImage>& mono);

    int depth_;
    std::deque<Snapshot> snapshots_;     // back = newest
    std::deque<Snapshot> redoSnapshots_; // back = newest
};

} // namespace vantrel
