#include "core/frames/frame_bars.h"

#include "core/app/number_text.h"

#include <algorithm>

namespace vantrel {

int frameBarMaximum(int frameCount)
{
    return std::max(frameCount, 1);
}

QList<int> frameBarTicks(int maximum)
{
    const int step = std::max((maximum - 1) / 10, 1);
    QList<int> ticks;
    for (int tick = 1; tick < maximum; tick += step)
        ticks.append(tick);
    return ticks;
}

int frameBarPosition(int position, int frameCount)
{
    return std::min(position, frameBarMaximum(frameCount));
}

std::optional<int> parseFrameNumber(const QString& text, int minimum, int maximum)
{
    int value = 0;
    if (!numberInRange(text, minimum, maximum, &value))
        return std::nullopt;
    return value;
}

} // namespace vantrel
