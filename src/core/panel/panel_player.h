#pragma once

namespace vantrel {

// The faceplate player as the window holds it: the down states of its play and pause buttons
// are its state, the timer runs while playing, and the restart flag (the timer's tag) makes the
// next tick begin at the first frame.
struct PanelPlayerControls
{
    bool play = false;
    bool pause = false;
    bool timer = false;
    bool restart = false;
};

// What a tick asks of the window: the bar position to show, whether to draw it even when the
// bar already stands there, and whether playback ended (the control state changes).
struct PanelTick
{
    int position = 1;
    bool drawAlways = false;
    bool ended = false;
};

// Play puts play down and runs the timer; from paused it continues, otherwise it restarts.
void panelPlay(PanelPlayerControls& controls);
// After the pause button changed its own state: pausing only works while playing.
void panelPause(PanelPlayerControls& controls);
void panelStop(PanelPlayerControls& controls);
// One timer tick on a bar at `position` of 1..maximum; at the end it wraps with repeat, else
// stops on the last frame.
PanelTick panelTick(PanelPlayerControls& controls, int position, int maximum, bool repeat);

} // namespace vantrel
