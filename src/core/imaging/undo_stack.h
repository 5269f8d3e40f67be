#pragma once

#include <QImage>
#include <QList>

#include <deque>
#include <optional>

namespace vantrel {

// Snapshots of output frames taken before a command changes them in place, newest on top.
// At most `depth` are kept; pushing beyond drops the oldest. A snapshot shares the frames'
// pixel data until either side writes to it (QImage copies on write), so it never changes
// with the frames.
class UndoStack
{
public:
    explicit UndoStack(int depth = 10);

    // Saves frames start..start + count - 1 of each list given (null: that list isn't saved).
    // Frames outside a list are not saved.
    void Push(int start, int count, const QList<QImage>* colour, const QList<QImage>* mono);

    // Puts the newest snapshot back into the lists it saved and drops it; false when there was
    // none. Frames that no longer exist in a list are skipped.
    bool Undo(QList<QImage>& colour, QList<QImage>& mono);

    void Clear();
    int count() const { return static_cast<int>(snapshots_.size()); }
    int depth() const { return depth_; }

private:
    struct Snapshot
    {
        int start = 0;
        std::optional<QList<QImage>> colour;
        std::optional<QList<QImage>> mono;
    };

    int depth_;
    std::deque<Snapshot> snapshots_; // back = newest
};

} // namespace vantrel
