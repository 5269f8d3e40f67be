#include "ui/text/font_list_delegate.h"

#include <QFontDatabase>
#include <QPainter>
#include <QRawFont>

#include <algorithm>

namespace {

constexpr int FontListItemHeight = 24;
constexpr int TextMargin = 2;
constexpr int SampleGap = 8;

bool isSymbolFont(const QString& family)
{
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol);
}

// What the face draws best: its symbols, or the sample of its first writing system.
QString faceSample(const QString& family)
{
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    if (systems.isEmpty() || systems.contains(QFontDatabase::Symbol))
        return QFontDatabase::writingSystemSample(QFontDatabase::Symbol);
    return QFontDatabase::writingSystemSample(systems.first());
}

} // namespace

bool faceShowsText(const QString& family, const QString& text)
{
    if (isSymbolFont(family))
        return false;
    // The face itself, not the fallbacks a QFont would draw missing characters with.
    const QRawFont face = QRawFont::fromFont(QFont(family));
    if (!face.isValid())
        return false;
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.begin(), characters.end(),
                       [&face](uint c) { return face.supportsCharacter(c); });
}

void drawFontListEntry(QPainter& painter, const QRect& rect, const QString& family, const QFont& listFont,
                       bool selected)
{
    painter.save();
    painter.fillRect(rect, selected ? QColor(0, 0, 128) : QColor(Qt::white));
    painter.setPen(selected ? Qt::white : Qt::black);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    QRect textRect = rect.adjusted(TextMargin, 0, -TextMargin, 0);

    QFont face = listFont;
    face.setFamily(family);
    const bool ownFace = faceShowsText(family, family);
    if (!ownFace) {
        const QString sample = faceSample(family);
        painter.setFont(face);
        const int sampleWidth = painter.fontMetrics().horizontalAdvance(sample);
        painter.drawText(textRect, Qt::AlignRight | flags, sample);
        textRect.setRight(textRect.right() - sampleWidth - SampleGap);
    }
    painter.setFont(ownFace ? face : listFont);
    const QString name = painter.fontMetrics().elidedText(family, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | flags, name);
    painter.restore();
}

void FontListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    drawFontListEntry(*painter, option.rect, index.data(Qt::DisplayRole).toString(), option.font,
                      option.state.testFlag(QStyle::State_Selected));
}

QSize FontListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), FontListItemHeight};
}
