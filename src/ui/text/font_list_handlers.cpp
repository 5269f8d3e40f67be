#include "ui/app/tform1.h"

#include "ui/app/tform1_controls.h"
#include "ui/text/font_list_delegate.h"

#include <QFontDatabase>

void TForm1::fillFontList()
{
    const QStringList families = QFontDatabase::families();
    ui_->FontList->addItems(families);
    // The last exact match wins, as a case-sensitive scan from the top would leave it.
    const qsizetype match = families.lastIndexOf(catalogue_.defaultFont);
    ui_->FontList->setCurrentRow(match >= 0 ? static_cast<int>(match) : 0);

    QFont listFont = ui_->FontList->font();
    listFont.setPointSize(12);
    ui_->FontList->setFont(listFont);
    ui_->FontList->setItemDelegate(new FontListDelegate(ui_->FontList));
}

void TForm1::lbFontOnDrawItem(QPainter& painter, const QRect& rect, const QString& fontName,
                              const QFont& listFont, bool selected)
{
    drawFontListEntry(painter, rect, fontName, listFont, selected);
}
