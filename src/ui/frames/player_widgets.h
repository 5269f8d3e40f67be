#pragma once

#include "core/frames/player.h"

class QSlider;
class QTimer;
class QToolButton;

// A player's state lives in its buttons, its timer and, for the panel player, the restart flag;
// the core steps it and the window moves the bar as the returned step says.
class PlayerWidgets
{
public:
    PlayerWidgets(const vantrel::PlayerRules& rules, const QSlider& bar, QToolButton* play,
                  QToolButton* pause, QTimer& timer, bool* restart = nullptr);

    vantrel::PlayerStep play() const;
    bool pause() const;
    void stop() const;
    vantrel::PlayerStep tick(bool repeat) const;

private:
    vantrel::PlayerControls read() const;
    void write(const vantrel::PlayerControls& controls) const;

    vantrel::PlayerRules rules_;
    const QSlider& bar_;
    QToolButton* play_;
    QToolButton* pause_;
    QTimer& timer_;
    bool* restart_;
};
