#pragma once

#include "core/input/between_frames.h"
#include "core/input/cut_area.h"
#include "core/input/cut_geometry.h"

#include <QImage>
#include <QList>
#include <QSize>

#include <cstdint>
#include <functional>
#include <optional>

namespace vantrel {

// The creation methods of the list: four kinds of frames in between, each one way and there and
// back (see GenerationRequest::method).
inline constexpr int CreationMethodCount = 8;

// What one run of the generation makes.
struct GenerationRequest
{
    TCutArea start; // view pixels at zoomPercent, on input frame FrameNo (1-based)
    TCutArea end;
    int zoomPercent = 100;
    QSize panelSize{160, 54};
    int frameCount = 30; // 1..MaxFrames
    // The creation method in the list's order: method / 2 picks the frames in between (moving
    // cut, random dissolve, top-down wipe, left-right wipe; none beyond), method % 2 one way
    // or there and back.
    int method = 0;
    CutScaling scaling = CutScaling::Nearest;
};

// One element of a run's frame sequence.
struct SequenceItem
{
    enum Kind { Start, Between, End };
    Kind kind = Start;
    int between = 0; // 1-based number of the frame in between, for Between
    bool operator==(const SequenceItem&) const = default;
};

// The frames a run inserts, in order: S, E and I1..Ic for the method's direction and N; empty
// for N outside 1..MaxFrames.
QList<SequenceItem> generationSequence(int frameCount, int method);

// An input frame by its 1-based number; a non-zero result stops the run with that code.
using InputFrameSource = std::function<int(int frameNo, InputPicture& picture)>;

// Makes a run's frames one at a time, so that a caller can show progress and stop between
// frames. Frames of the return half of a there-and-back run are copies of frames made before.
class AnimationGenerator
{
public:
    struct Frame
    {
        QImage picture;  // 24-bit, panel size; null for a copy
        QImage overlay;  // added over the picture when stored (saturating); null for none
        int copyOf = -1; // >= 0: a copy of the frame made at this 0-based position of the run
    };

    AnimationGenerator(const GenerationRequest& request, InputFrameSource source);

    int frameCount() const { return static_cast<int>(sequence_.size()); }
    int framesMade() const { return made_; }
    bool done() const { return failure_ != 0 || made_ >= frameCount(); }

    // The next frame of the run; 0, or the source's code (the run then stops and gives that
    // code again). Past the last frame: 0 with an empty frame.
    int next(Frame& frame);

private:
    int cutEnds();
    int cutEnd();
    int makeBetween(int number, Frame& frame);
    int inputFrame(int frameNo, InputPicture& picture);

    GenerationRequest request_;
    InputFrameSource source_;
    QList<SequenceItem> sequence_;
    QList<int> copyOf_; // per position: the position it repeats, or -1
    int made_ = 0;
    int failure_ = 0;
    QImage start_; // the cuts of the two areas
    QImage end_;
    std::optional<Dissolve> dissolve_;
    std::optional<Wipe> wipe_;
    int betweenCount_ = 0;
    std::optional<int> cachedFrameNo_; // the input frame fetched last: a pan over one picture
    InputPicture cachedPicture_;       // fetches it once
};

} // namespace vantrel
