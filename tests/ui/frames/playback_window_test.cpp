#include "ui/support/frame_window_test.h"

#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {

class Playback : public FrameWindowTest
{
protected:
    QToolButton* button(const char* name) { return control<QToolButton>(name); }
};

TEST_F(Playback, OutputPlayerPlaysOnceOrRepeatsAndPausesOnlyWhilePlaying)
{
    open();
    addFrames(3);
    setPosition(2);
    button("abbOutPrePause")->click();
    EXPECT_FALSE(button("abbOutPrePause")->isChecked()); // nothing to pause

    button("abbOutPrePlay")->click();
    EXPECT_EQ(position(), 1);
    EXPECT_TRUE(control<QTimer>("TimerOutPre")->isActive());
    EXPECT_FALSE(button("abbFSave")->isEnabled()); // files wait while the player runs
    window().OutPreOnTimer();
    window().OutPreOnTimer();
    EXPECT_EQ(position(), 3);
    window().OutPreOnTimer();
    EXPECT_EQ(position(), 3);
    EXPECT_FALSE(button("abbOutPrePlay")->isChecked());
    EXPECT_FALSE(control<QTimer>("TimerOutPre")->isActive());
    EXPECT_TRUE(button("abbFSave")->isEnabled());

    button("abbOutPreRep")->click();
    button("abbOutPrePlay")->click();
    for (int tick = 0; tick < 3; ++tick)
        window().OutPreOnTimer();
    EXPECT_EQ(position(), 1); // wrapped after frame 3
    button("abbOutPrePause")->click();
    EXPECT_FALSE(control<QTimer>("TimerOutPre")->isActive());
    button("abbOutPrePlay")->click(); // continues where it paused
    EXPECT_EQ(position(), 1);
    window().OutPreOnTimer();
    EXPECT_EQ(position(), 2);
    button("abbOutPreStop")->click();
    EXPECT_FALSE(button("abbOutPrePlay")->isChecked());
    button("abbOutPrePlay")->click(); // a stopped player starts from frame 1
    EXPECT_EQ(position(), 1);
}

TEST_F(Playback, InputPlayerAndStepsReachBothEndsAndStop)
{
    open();
    const QString video = writeClip("three.avi", 3);
    ASSERT_FALSE(video.isEmpty());
    addInput(video);
    auto* bar = control<QSlider>("tbInFrame");
    QList<int> shown;
    for (const char* step : {"abbInFrameBack", "abbInFrameNext", "abbInFrameNext", "abbInFrameNext",
                             "abbInFrameBack", "abbInFrameBack"}) {
        button(step)->click();
        shown << bar->value();
    }
    EXPECT_EQ(shown, (QList<int>{1, 2, 3, 3, 2, 1}));

    button("abbInFramePlay")->click();
    shown.clear();
    for (int tick = 0; tick < 3; ++tick) {
        window().timerInOnTimer();
        shown << bar->value();
    }
    EXPECT_EQ(shown, (QList<int>{2, 3, 3}));
    EXPECT_FALSE(button("abbInFramePlay")->isChecked());
    EXPECT_FALSE(control<QTimer>("TimerIn")->isActive());
}

} // namespace
