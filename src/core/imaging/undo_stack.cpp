#include "core/imaging/undo_stack.h"

#include <algorithm>

namespace vantrel {

namespace {

QList<QImage> copyRange(const QList<QImage>& frames, int start, int count)
{
    QList<QImage> copy;
    const qsizetype end = std::min<qsizetype>(static_cast<qsizetype>(start) + count, frames.size());
    for (qsizetype i = std::max(start, 0); i < end; ++i)
        copy.append(frames[i]);
    return copy;
}

void restoreRange(QList<QImage>& frames, int start, const QList<QImage>& copy)
{
    for (qsizetype i = 0; i < copy.size() && start + i < frames.size(); ++i)
        frames[start + i] = copy[i];
}

} // namespace

UndoStack::UndoStack(int depth) : depth_(std::max(depth, 0)) {}

void UndoStack::Push(int start, int count, const QList<QImage>* colour, const QList<QImage>* mono)
{
    if (depth_ == 0)
        return;
    Snapshot snapshot;
    snapshot.start = std::max(start, 0);
    if (colour)
        snapshot.colour = copyRange(*colour, start, count);
    if (mono)
        snapshot.mono = copyRange(*mono, start, count);
    snapshots_.push_back(std::move(snapshot));
    if (static_cast<int>(snapshots_.size()) > depth_)
        snapshots_.pop_front();
}

bool UndoStack::Undo(QList<QImage>& colour, QList<QImage>& mono)
{
    if (snapshots_.empty())
        return false;
    const Snapshot snapshot = std::move(snapshots_.back());
    snapshots_.pop_back();
    if (snapshot.colour)
        restoreRange(colour, snapshot.start, *snapshot.colour);
    if (snapshot.mono)
        restoreRange(mono, snapshot.start, *snapshot.mono);
    return true;
}

void UndoStack::Clear()
{
    snapshots_.clear();
}

} // namespace vantrel
