#pragma once

#include "core/text/text_style.h"

#include <QPoint>
#include <QRect>

#include <optional>

namespace vantrel::cli {

// An area of `make`: an input frame and a rectangle in that picture's own pixels.
struct AreaOption
{
    int frameNo = 1; // 1-based
    QRect rect;      // width = R - L, height = B - T
};

// What `make` makes; the defaults are the window's.
struct MakeOptions
{
    int frames = 30;
    int method = 0;
    int dither = 0;
    int colorCode = 0x3F;
    int effect = 0;
    int strength = 0;
    std::optional<AreaOption> start; // default: frame 1, centred
    std::optional<AreaOption> end;   // default: the last frame, centred
    std::optional<TextStyle> text;
    QPoint textAt;
    int textAngle = 0;
    bool smooth = false;
};

} // namespace vantrel::cli
