#include "ui/frames/player_widgets.h"

#include <QSlider>
#include <QTimer>
#include <QToolButton>

PlayerWidgets::PlayerWidgets(const vantrel::PlayerRules& rules, const QSlider& bar, QToolButton* play,
                             QToolButton* pause, QTimer& timer, bool* restart)
    : rules_(rules), bar_(bar), play_(play), pause_(pause), timer_(timer), restart_(restart)
{}

vantrel::PlayerStep PlayerWidgets::play() const
{
    vantrel::PlayerControls controls = read();
    const vantrel::PlayerStep step = vantrel::playerPlay(rules_, controls, bar_.minimum());
    write(controls);
    return step;
}

bool PlayerWidgets::pause() const
{
    vantrel::PlayerControls controls = read();
    const bool paused = vantrel::playerPause(controls);
    write(controls);
    return paused;
}

void PlayerWidgets::stop() const
{
    vantrel::PlayerControls controls = read();
    vantrel::playerStop(rules_, controls);
    write(controls);
}

vantrel::PlayerStep PlayerWidgets::tick(bool repeat) const
{
    vantrel::PlayerControls controls = read();
    const vantrel::PlayerStep step =
        vantrel::playerTick(controls, {bar_.value(), bar_.minimum(), bar_.maximum()}, repeat);
    write(controls);
    return step;
}

vantrel::PlayerControls PlayerWidgets::read() const
{
    return {.play = play_->isChecked(),
            .pause = pause_->isChecked(),
            .timer = timer_.isActive(),
            .restart = restart_ && *restart_};
}

void PlayerWidgets::write(const vantrel::PlayerControls& controls) const
{
    play_->setChecked(controls.play);
    pause_->setChecked(controls.pause);
    // A running timer keeps its phase.
    if (controls.timer && !timer_.isActive())
        timer_.start();
    else if (!controls.timer)
        timer_.stop();
    if (restart_)
        *restart_ = controls.restart;
}
