#include "core/frames/player.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

// Runs clicks and ticks against a bar of `frames` positions as the window does. Events: P play,
// U pause, S stop (buttons change their own state first), T a tick, which happens only while the
// timer runs. Per tick, and per play that moves the bar, the trace shows the position drawn, '-'
// when nothing was drawn, 'E' at the end of playback, '.' when no tick came.
std::string play(int frames, bool repeat, int start, const char* events, PlayerControls& c,
                 const PlayerRules& rules = PanelPlayerRules)
{
    int position = start;
    std::string trace;
    for (const char* e = events; *e; ++e) {
        if (*e == 'P') {
            c.play = !c.play;
            const PlayerStep step = playerPlay(rules, c, 1);
            if (step.move) {
                position = step.position;
                trace += static_cast<char>('0' + position);
            }
        } else if (*e == 'U') {
            c.pause = !c.pause;
            playerPause(c);
        } else if (*e == 'S') {
            playerStop(rules, c);
        } else if (!c.timer) {
            trace += '.';
        } else {
            const PlayerStep tick = playerTick(c, {position, 1, frames}, repeat);
            if (tick.ended) {
                trace += 'E';
            } else if (tick.position != position || tick.drawAlways) {
                position = tick.position;
                trace += static_cast<char>('0' + position);
            } else {
                trace += '-';
            }
        }
    }
    return trace;
}

TEST(PanelPlayer, TickByTick)
{
    struct Case
    {
        const char* name;
        int frames;
        bool repeat;
        int start;
        const char* events;
        const char* trace;
        bool playDown;
        bool pauseDown;
    };
    const Case cases[] = {
        {"three frames once", 3, false, 2, "PTTTTT", "123E.", false, false},
        {"repeat wraps", 3, true, 3, "PTTTTT", "12312", true, false},
        {"pause then play continues", 3, false, 1, "PTTUTPT", "12.3", true, false},
        {"stop then play restarts", 3, false, 1, "PTTSTPT", "12.1", true, false},
        {"play while playing restarts", 3, false, 1, "PTTPT", "121", true, false},
        {"pause while stopped stays up", 3, false, 1, "UT", ".", false, false},
        {"paused stays on its frame", 3, false, 1, "PTUTT", "1..", true, true},
        {"one frame", 1, false, 1, "PTTT", "1E.", false, false},
        {"one frame repeated", 1, true, 1, "PTTT", "1--", true, false},
    };
    for (const Case& c : cases) {
        PlayerControls controls;
        EXPECT_EQ(play(c.frames, c.repeat, c.start, c.events, controls), c.trace) << c.name;
        EXPECT_EQ(controls.play, c.playDown) << c.name;
        EXPECT_EQ(controls.pause, c.pauseDown) << c.name;
        EXPECT_EQ(controls.timer, c.playDown && !c.pauseDown) << c.name;
    }
}

// The input and output players go to the first frame as play is pressed; stop acts on the input
// player's buttons even with play up.
TEST(Player, InputAndOutputRules)
{
    struct Case
    {
        const char* name;
        PlayerRules rules;
        bool repeat;
        int start;
        PlayerControls before;
        const char* events;
        const char* trace;
        PlayerControls after;
    };
    const PlayerControls stopped;
    const PlayerControls playing{.play = true, .timer = true};
    const PlayerControls strayPause{.pause = true, .timer = true};
    const Case cases[] = {
        {"input plays from the first frame to the end", InputPlayerRules, false, 2, stopped, "PTTTT", "123E.",
         stopped},
        {"output wraps with repeat", OutputPlayerRules, true, 3, stopped, "PTTT", "1231", playing},
        {"input resumes where it paused", InputPlayerRules, false, 1, stopped, "PTUTPT", "12.3", playing},
        {"input stop releases a stray pause", InputPlayerRules, false, 2, strayPause, "S", "", stopped},
        {"output stop waits for play", OutputPlayerRules, false, 2, strayPause, "S", "", strayPause},
    };
    for (const Case& c : cases) {
        PlayerControls controls = c.before;
        EXPECT_EQ(play(3, c.repeat, c.start, c.events, controls, c.rules), c.trace) << c.name;
        EXPECT_EQ(controls.play, c.after.play) << c.name;
        EXPECT_EQ(controls.pause, c.after.pause) << c.name;
        EXPECT_EQ(controls.timer, c.after.timer) << c.name;
        EXPECT_EQ(controls.restart, c.after.restart) << c.name;
    }
}

} // namespace
} // namespace vantrel
