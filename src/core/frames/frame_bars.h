#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace vantrel {

// The maximum of the frame track bars: the frame count, or 1 for an empty store.
int frameBarMaximum(int frameCount);

// Tick marks of a bar with maximum n: 1, 1 + step, 1 + 2 step, ... while below n, where
// step = (n - 1) div 10, at least 1.
QList<int> frameBarTicks(int maximum);

// The position a bar keeps after the frame count changed: no higher than the new maximum.
int frameBarPosition(int position, int frameCount);

// A frame number typed into the frame edit: accepted when the text is non-empty, all ASCII
// digits and within minimum..maximum. A number too long for 32 bits is out of range like any
// other.
std::optional<int> parseFrameNumber(const QString& text, int minimum, int maximum);

} // namespace vantrel
