#pragma once

class QWidget;

// Gives every bitmap button under root its picture: the style's media icons for playback and
// stepping, the project's own drawings for the rest.
void applyButtonIcons(QWidget& root);
