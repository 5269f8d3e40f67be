#pragma once

#include <QString>
#include <QStringList>

namespace vantrel {

// The decorations of the list, TextStyle::decoration 0 up.
inline constexpr int DecorationCount = 5;

// How the text page says the text is to be drawn.
struct TextStyle
{
    QStringList lines;  // one bitmap line per line of the memo
    QString fontFamily; // from the font list
    int pointSize = 10; // 10..36, drawn at 96 dots per inch whatever the screen
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int decoration = 0;    // 0 plain, 1 outline, 2 shadow, 3 raised, 4 sunken; above 4 nothing
    int textColour = 0;    // MonoPalette index 0..3
    int outlineColour = 3; // MonoPalette index 0..3, for outline and shadow
};

} // namespace vantrel
