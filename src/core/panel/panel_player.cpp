#include "core/panel/panel_player.h"

namespace vantrel {

void panelPlay(PanelPlayerControls& controls)
{
    controls.play = true;
    controls.timer = true;
    if (controls.pause)
        controls.pause = false;
    else
        controls.restart = true;
}

void panelPause(PanelPlayerControls& controls)
{
    if (!controls.play)
        controls.pause = false;
    else
        controls.timer = !controls.pause;
}

void panelStop(PanelPlayerControls& controls)
{
    if (!controls.play)
        return;
    controls.timer = false;
    controls.pause = false;
    controls.play = false;
}

PanelTick panelTick(PanelPlayerControls& controls, int position, int maximum, bool repeat)
{
    if (controls.restart) {
        controls.restart = false;
        return {.position = 1, .drawAlways = true};
    }
    int next = position + 1;
    if (next > maximum) {
        if (!repeat) {
            controls.timer = false;
            controls.play = false;
            return {.position = position, .ended = true};
        }
        next = 1;
    }
    return {.position = next};
}

} // namespace vantrel
