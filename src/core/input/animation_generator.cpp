#include "core/input/animation_generator.h"

#include "core/frames/frame_store.h"
#include "core/input/cut_geometry.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

enum class BetweenKind { MovingCut, Dissolve, WipeDown, WipeRight };

BetweenKind betweenKind(int method)
{
    return static_cast<BetweenKind>(method / 2);
}

} // namespace

QList<SequenceItem> generationSequence(int frameCount, int method)
{
    QList<SequenceItem> items;
    if (frameCount < 1 || frameCount > MaxFrames)
        return items;
    const bool generates = method >= 0 && method < CreationMethodCount;
    const bool thereAndBack = method % 2 != 0;
    auto appendBetween = [&](int count) {
        for (int i = 1; generates && i <= count; ++i)
            items.append(SequenceItem{SequenceItem::Between, i});
    };

    items.append(SequenceItem{SequenceItem::Start});
    const int k = frameCount - 1;
    if (k >= 2 && thereAndBack) {
        // The way back repeats the way there: E once more when N is even, then Ic..I1 and S.
        const int count = k < 4 ? 0 : k / 2 - 1;
        appendBetween(count);
        items.append(SequenceItem{SequenceItem::End});
        if (k % 2 != 0)
            items.append(SequenceItem{SequenceItem::End});
        for (int i = generates ? count : 0; i >= 1; --i)
            items.append(SequenceItem{SequenceItem::Between, i});
        items.append(SequenceItem{SequenceItem::Start});
        return items;
    }
    if (k >= 2)
        appendBetween(frameCount - 2);
    if (k >= 1)
        items.append(SequenceItem{SequenceItem::End});
    return items;
}

AnimationGenerator::AnimationGenerator(const GenerationRequest& request, InputFrameSource source)
    : request_(request), source_(std::move(source)),
      sequence_(generationSequence(request.frameCount, request.method))
{
    copyOf_.reserve(sequence_.size());
    for (qsizetype position = 0; position < sequence_.size(); ++position) {
        const auto first = std::find(sequence_.cbegin(), sequence_.cend(), sequence_[position]);
        const auto firstPosition = static_cast<int>(first - sequence_.cbegin());
        copyOf_.append(firstPosition < position ? firstPosition : -1);
        if (sequence_[position].kind == SequenceItem::Between)
            betweenCount_ = std::max(betweenCount_, sequence_[position].between);
    }
}

int AnimationGenerator::next(Frame& frame)
{
    frame = Frame{};
    if (failure_ != 0 || done())
        return failure_;
    if (made_ == 0) {
        failure_ = cutEnds();
        if (failure_ != 0)
            return failure_;
    }
    if (copyOf_[made_] >= 0) {
        frame.copyOf = copyOf_[made_];
    } else {
        const SequenceItem item = sequence_[made_];
        if (item.kind == SequenceItem::Start) {
            frame.picture = start_;
        } else if (item.kind == SequenceItem::End) {
            if (end_.isNull() && (failure_ = cutEnd()) != 0)
                return failure_;
            frame.picture = end_;
        } else if ((failure_ = makeBetween(item.between, frame)) != 0) {
            return failure_;
        }
    }
    ++made_;
    return 0;
}

int AnimationGenerator::cutEnds()
{
    InputPicture picture;
    if (const int result = inputFrame(request_.start.FrameNo, picture))
        return result;
    start_ = CutArea(picture, request_.start, request_.zoomPercent, request_.panelSize, request_.scaling);
    // A moving cut reaches the end frame last, so that a video is read in one pass; the others
    // blend towards the end picture from the first frame in between.
    const bool blends = betweenCount_ > 0 && betweenKind(request_.method) != BetweenKind::MovingCut;
    if (!blends)
        return 0;
    if (const int result = cutEnd())
        return result;
    switch (betweenKind(request_.method)) {
    case BetweenKind::MovingCut:
        break;
    case BetweenKind::Dissolve:
        dissolve_.emplace(start_, end_, betweenCount_);
        break;
    case BetweenKind::WipeDown:
        wipe_.emplace(start_, end_, betweenCount_, Wipe::Down);
        break;
    case BetweenKind::WipeRight:
        wipe_.emplace(start_, end_, betweenCount_, Wipe::Right);
        break;
    }
    return 0;
}

int AnimationGenerator::cutEnd()
{
    InputPicture picture;
    if (const int result = inputFrame(request_.end.FrameNo, picture))
        return result;
    end_ = CutArea(picture, request_.end, request_.zoomPercent, request_.panelSize, request_.scaling);
    return 0;
}

// Frames in between come first in order 1..c (the way back only repeats them), so each
// generator's state advances one step per frame.
int AnimationGenerator::makeBetween(int number, Frame& frame)
{
    if (dissolve_) {
        dissolve_->step();
        frame.picture = dissolve_->picture();
        frame.overlay = dissolve_->overlay();
        return 0;
    }
    if (wipe_) {
        wipe_->step();
        frame.picture = wipe_->picture();
        return 0;
    }
    const TCutArea area = movingCutArea(request_.start, request_.end, betweenCount_, number);
    InputPicture picture;
    if (const int result = inputFrame(area.FrameNo, picture))
        return result;
    frame.picture = CutArea(picture, area, request_.zoomPercent, request_.panelSize, request_.scaling);
    return 0;
}

int AnimationGenerator::inputFrame(int frameNo, InputPicture& picture)
{
    if (cachedFrameNo_ != frameNo) {
        InputPicture fetched;
        if (const int result = source_(frameNo, fetched))
            return result;
        cachedPicture_ = std::move(fetched);
        cachedFrameNo_ = frameNo;
    }
    picture = cachedPicture_;
    return 0;
}

} // namespace vantrel
