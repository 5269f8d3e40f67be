#include "core/frames/player.h"

namespace vantrel {

PlayerStep playerPlay(const PlayerRules& rules, PlayerControls& controls, int first)
{
    controls.play = true;
    controls.timer = true;
    if (controls.pause) {
        controls.pause = false;
        return {};
    }
    if (rules.start == PlayerStart::FirstFrameOnTick) {
        controls.restart = true;
        return {};
    }
    return {.move = true, .position = first};
}

bool playerPause(PlayerControls& controls)
{
    if (!controls.play) {
        controls.pause = false;
        return false;
    }
    controls.timer = !controls.pause;
    return controls.pause;
}

void playerStop(const PlayerRules& rules, PlayerControls& controls)
{
    if (rules.stop == PlayerStop::WhilePlaying && !controls.play)
        return;
    controls.timer = false;
    controls.pause = false;
    controls.play = false;
}

PlayerStep playerTick(PlayerControls& controls, const PlayerBar& bar, bool repeat)
{
    if (controls.restart) {
        controls.restart = false;
        return {.move = true, .position = bar.first, .drawAlways = true};
    }
    int next = bar.position + 1;
    if (next > bar.last) {
        if (!repeat) {
            controls.timer = false;
            controls.play = false;
            return {.position = bar.position, .ended = true};
        }
        next = bar.first;
    }
    return {.move = true, .position = next};
}

} // namespace vantrel
