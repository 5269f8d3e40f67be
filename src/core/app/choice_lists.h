#pragma once

#include "core/imaging/effects.h"
#include "core/imaging/mono_conversion.h"
#include "core/input/animation_generator.h"
#include "core/text/text_style.h"

#include <array>

namespace vantrel {

// The English names of the window's choice lists, index for index. The window shows the
// catalogue's names; the command line has no catalogue, so it takes and shows these. Each list
// is checked against the rule that gives its indexes a meaning, so neither can grow alone.

inline constexpr std::array CreationMethodNames{
    "move",      "move there and back", "dissolve",   "dissolve there and back",
    "wipe down", "wipe down and back",  "wipe right", "wipe right and back"};
static_assert(CreationMethodNames.size() == CreationMethodCount);

inline constexpr std::array DitherNames{"Burkes", "Jarvis-Judice-Ninke", "none", "ordered", "blue noise"};
static_assert(DitherNames.size() == DitherCodes.size());

inline constexpr std::array EffectNames{"none",     "brightness", "contrast", "sharpness",
                                        "negative", "noise",      "levels"};
static_assert(EffectNames.size() == AutoLevels + 1);

inline constexpr std::array DecorationNames{"plain", "outline", "shadow", "raised", "sunken"};
static_assert(DecorationNames.size() == DecorationCount);

} // namespace vantrel
