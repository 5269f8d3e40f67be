#pragma once

#include <QStyledItemDelegate>

// Whether a family's own face has every character of text. Never for a symbol font: its
// letters are pictures.
bool faceShowsText(const QString& family, const QString& text);

// One entry of the font list: the family's name in its own face where that face can show it,
// else in the list's font with a sample of the face at the right; too long a name is elided.
// Selected entries are white on navy.
void drawFontListEntry(QPainter& painter, const QRect& rect, const QString& family, const QFont& listFont,
                       bool selected);

// Draws each font name of the font list as drawFontListEntry does, 24 pixels high.
class FontListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
