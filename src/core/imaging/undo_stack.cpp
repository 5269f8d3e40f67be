#include "core/imaging/undo_stack.h"

#include <algorithm>
#include <utility>

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

UndoStack::Snapshot UndoStack::take(int start, int count, const QList<QImage>* colour,
                                    const QList<QImage>* mono)
{
    Snapshot snapshot;
    snapshot.start = std::max(start, 0);
    if (colour)
        snapshot.colour = copyRange(*colour, start, count);
    if (mono)
        snapshot.mono = copyRange(*mono, start, count);
    return snapshot;
}

void UndoStack::Push(int start, int count, const QList<QImage>* colour, const QList<QImage>* mono)
{
    pushNew(take(start, count, colour, mono));
}

void UndoStack::PushWhole(const QList<QImage>& colour, const QList<QImage>& mono)
{
    pushNew({.start = 0, .whole = true, .colour = colour, .mono = mono});
}

void UndoStack::pushNew(Snapshot snapshot)
{
    if (depth_ == 0)
        return;
    redoSnapshots_.clear();
    snapshots_.push_back(std::move(snapshot));
    if (static_cast<int>(snapshots_.size()) > depth_)
        snapshots_.pop_front();
}

bool UndoStack::restore(std::deque<Snapshot>& from, std::deque<Snapshot>& to, int depth,
                        QList<QImage>& colour, QList<QImage>& mono)
{
    if (from.empty())
        return false;
    const Snapshot snapshot = std::move(from.back());
    from.pop_back();
    auto size = [](const std::optional<QList<QImage>>& frames) {
        return frames ? static_cast<int>(frames->size()) : 0;
    };
    if (snapshot.whole) {
        to.push_back({.start = 0, .whole = true, .colour = colour, .mono = mono});
    } else {
        const int count = std::max(size(snapshot.colour), size(snapshot.mono));
        to.push_back(take(snapshot.start, count, snapshot.colour ? &colour : nullptr,
                          snapshot.mono ? &mono : nullptr));
    }
    if (static_cast<int>(to.size()) > depth)
        to.pop_front();
    if (snapshot.whole) {
        colour = *snapshot.colour;
        mono = *snapshot.mono;
        return true;
    }
    if (snapshot.colour)
        restoreRange(colour, snapshot.start, *snapshot.colour);
    if (snapshot.mono)
        restoreRange(mono, snapshot.start, *snapshot.mono);
    return true;
}

bool UndoStack::Undo(QList<QImage>& colour, QList<QImage>& mono)
{
    return restore(snapshots_, redoSnapshots_, depth_, colour, mono);
}

bool UndoStack::Redo(QList<QImage>& colour, QList<QImage>& mono)
{
    return restore(redoSnapshots_, snapshots_, depth_, colour, mono);
}

void UndoStack::Clear()
{
    snapshots_.clear();
    redoSnapshots_.clear();
}

} // namespace vantrel
