#pragma once

namespace vantrel {

// Where play from stopped begins: on the bar's first frame at once, or on the next tick through
// the restart flag (the panel player, whose flag is its timer's tag).
enum class PlayerStart {
    FirstFrameNow,
    FirstFrameOnTick,
};

// Whether stop releases the buttons and halts the timer only while play is down.
enum class PlayerStop {
    Always,
    WhilePlaying,
};

struct PlayerRules
{
    PlayerStart start;
    PlayerStop stop;
};

inline constexpr PlayerRules InputPlayerRules{PlayerStart::FirstFrameNow, PlayerStop::Always};
inline constexpr PlayerRules OutputPlayerRules{PlayerStart::FirstFrameNow, PlayerStop::WhilePlaying};
inline constexpr PlayerRules PanelPlayerRules{PlayerStart::FirstFrameOnTick, PlayerStop::WhilePlaying};

// A player as the window holds it: the down states of its play and pause buttons are its state
// and the timer runs while playing.
struct PlayerControls
{
    bool play = false;
    bool pause = false;
    bool timer = false;
    bool restart = false;
};

// The player's track bar: the position shown and its range.
struct PlayerBar
{
    int position = 1;
    int first = 1;
    int last = 1;
};

// What a command or tick asks of the window: the bar position to show (when `move`), whether to
// draw it even when the bar already stands there, and whether playback ended (the control state
// changes).
struct PlayerStep
{
    bool move = false;
    int position = 1;
    bool drawAlways = false;
    bool ended = false;
};

// Play puts play down and runs the timer; from paused it continues, otherwise it starts over.
PlayerStep playerPlay(const PlayerRules& rules, PlayerControls& controls, int first);
// After the pause button changed its own state: pausing only works while playing. True when it
// paused a playing player.
bool playerPause(PlayerControls& controls);
void playerStop(const PlayerRules& rules, PlayerControls& controls);
// One timer tick; at the end it wraps with repeat, else stops on the last frame.
PlayerStep playerTick(PlayerControls& controls, const PlayerBar& bar, bool repeat);

} // namespace vantrel
