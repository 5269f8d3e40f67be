#include "ui/support/window_test.h"
#include "ui/text/font_list_delegate.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPainter>

#include <tuple>

namespace {

class FontList : public WindowTest
{
};

int brightPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) > 200 ? 1 : 0;
    }
    return count;
}

} // namespace

TEST_F(FontList, HoldsTheInstalledFontsWithTheDefaultSelected)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString chosen = families.last();
    writeCatalogue("[Application]\nDefaultFont=" + chosen.toUtf8() + "\n");
    open();
    auto* list = control<QListWidget>("FontList");
    ASSERT_EQ(list->count(), families.size());
    EXPECT_EQ(list->item(0)->text(), families.first());
    EXPECT_EQ(list->currentRow(), families.size() - 1);
}

TEST_F(FontList, DefaultFontMatchesCaseSensitively)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_GE(families.size(), 2);
    const QString shouted = families.last().toUpper() + QStringLiteral("_NOT_INSTALLED");
    writeCatalogue("[Application]\nDefaultFont=" + shouted.toUtf8() + "\n");
    open();
    EXPECT_EQ(control<QListWidget>("FontList")->currentRow(), 0);
}

TEST_F(FontList, EntriesAreWhiteOnNavyWhenSelected)
{
    QImage image(160, 24, QImage::Format_RGB32);
    const QRect rect(0, 0, 160, 24);
    QFont listFont;
    listFont.setPointSize(12);
    {
        QPainter painter(&image);
        TForm1::lbFontOnDrawItem(painter, rect, QStringLiteral("Sample"), listFont, true);
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 128));
    EXPECT_EQ(image.pixel(159, 23), qRgb(0, 0, 128));
    EXPECT_GT(brightPixels(image), 10);

    {
        QPainter painter(&image);
        TForm1::lbFontOnDrawItem(painter, rect, QStringLiteral("Sample"), listFont, false);
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_LT(brightPixels(image), 160 * 24);
}

TEST(FontListEntry, OwnFaceOnlyWhereItHasTheCharacters)
{
    // IPA Gothic, which the project installs, draws kana; DejaVu Sans, Debian's default face, does not.
    const std::tuple<const char*, const char*, bool> cases[] = {{"DejaVu Sans", "DejaVu Sans", true},
                                                                {"DejaVu Sans", "IPAゴシック", false},
                                                                {"IPAGothic", "IPAゴシック", true}};
    for (const auto& [family, text, shows] : cases)
        EXPECT_EQ(faceShowsText(family, QString::fromUtf8(text)), shows) << family << " " << text;
}

TEST(FontListEntry, LongNamesAreElidedNotCut)
{
    QFont face(QStringLiteral("DejaVu Sans"));
    face.setPointSize(12);
    QImage drawn(40, 24, QImage::Format_RGB32);
    QImage expected = drawn;
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.setFont(face);
    const QString elided = painter.fontMetrics().elidedText(face.family(), Qt::ElideRight, 36);
    ASSERT_TRUE(elided.endsWith(QChar(0x2026)));
    painter.drawText(QRect(2, 0, 36, 24), Qt::AlignVCenter | Qt::TextSingleLine, elided);
    painter.end();
    painter.begin(&drawn);
    drawFontListEntry(painter, drawn.rect(), face.family(), face, false);
    painter.end();
    EXPECT_EQ(drawn, expected);
}
