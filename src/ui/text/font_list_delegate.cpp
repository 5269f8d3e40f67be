#include "ui/text/font_list_delegate.h"

#include "ui/app/tform1.h"

#include <QPainter>

namespace {

constexpr int FontListItemHeight = 24;

} // namespace

void FontListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    TForm1::lbFontOnDrawItem(*painter, option.rect, index.data(Qt::DisplayRole).toString(), option.font,
                             option.state.testFlag(QStyle::State_Selected));
}

QSize FontListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), FontListItemHeight};
}
