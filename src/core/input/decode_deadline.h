#pragma once

#include <chrono>
#include <functional>

namespace vantrel {

// Where a deadline reads the time. Tests pass their own clock so that no test waits for one.
using DeadlineClock = std::function<std::chrono::steady_clock::time_point()>;

// Opening a video, and each delivered frame with whatever is decoded to reach it, must finish
// within Timeout; FFmpeg polls it during input, the decode loop between frames.
class DecodeDeadline
{
public:
    static constexpr std::chrono::seconds Timeout{5};

    explicit DecodeDeadline(DeadlineClock clock)
        : clock_(clock ? std::move(clock) : DeadlineClock(&std::chrono::steady_clock::now))
    {}

    void restart() { end_ = clock_() + Timeout; }
    bool passed() const { return clock_() > end_; }

    // FFmpeg's interrupt callback; the argument is the deadline.
    static int interrupt(void* deadline) { return static_cast<const DecodeDeadline*>(deadline)->passed(); }

private:
    DeadlineClock clock_;
    std::chrono::steady_clock::time_point end_;
};

} // namespace vantrel
