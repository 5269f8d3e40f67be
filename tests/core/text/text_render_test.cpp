#include "core/text/text_render.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

constexpr QRgb Black = 0xFF000000, Dark = 0xFF555555, Light = 0xFFAAAAAA, White = 0xFFFFFFFF;

TextStyle style(QStringList lines, int decoration = 0, int text = 3, int outline = 3,
                QString family = QStringLiteral("IPAGothic"))
{
    return {.lines = std::move(lines),
            .fontFamily = std::move(family),
            .pointSize = 20,
            .decoration = decoration,
            .textColour = text,
            .outlineColour = outline};
}

QFontMetrics at96Dpi(const QString& family) // 20 points are 27 pixels
{
    QFont font(family);
    font.setPixelSize(27);
    return QFontMetrics(font);
}

QRect glyphBox(const QImage& mask)
{
    QRect box;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.pixel(x, y) == Black)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The advance plus half the last character's (a surrogate pair being one), the font's height,
// the glyph at the top left in the text colour and the mask black on exactly its pixels.
TEST(RenderText, OneLineSizeAndGlyph)
{
    const QFontMetrics metrics = at96Dpi(QStringLiteral("IPAGothic"));
    for (const QString& line : {QStringLiteral("A"), QStringLiteral("a\U00020B9F")}) {
        const int advance = metrics.horizontalAdvance(line);
        const int last = metrics.horizontalAdvance(line.right(std::min<qsizetype>(line.size(), 2)));
        const RenderedText r = RenderText(style({line}, 0, 2));
        ASSERT_EQ(r.image.size(), QSize(advance + last / 2 + 2, metrics.height() + 2)) << line.size();
        ASSERT_EQ(r.mask.size(), r.image.size());
        EXPECT_TRUE(QRect(0, 0, advance, metrics.height()).contains(glyphBox(r.mask)));
        for (int y = 0; y < r.image.height(); ++y)
            for (int x = 0; x < r.image.width(); ++x)
                ASSERT_EQ(r.image.pixel(x, y), r.mask.pixel(x, y) == Black ? Light : Black) << x << "," << y;
    }
}

// Japanese in a font without it comes from the Gothic face; a line holds both faces' heights.
TEST(RenderText, LinesShareTheTallestSlotAndMissingGlyphsComeFromTheGothicFace)
{
    QString latin;
    for (const QString& family : QFontDatabase::families())
        if (latin.isEmpty() && !QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
            latin = family;
    if (latin.isEmpty())
        GTEST_SKIP() << "every installed font has Japanese";
    const QString kana = QStringLiteral("\u3042\u5B57");
    const QFontMetrics chosen = at96Dpi(latin), gothic = at96Dpi(QStringLiteral("IPAPGothic"));
    const int slot =
        std::max(chosen.ascent(), gothic.ascent()) + std::max(chosen.descent(), gothic.descent());
    const QImage both = RenderText(style({QStringLiteral("A"), kana}, 0, 3, 3, latin)).mask;
    ASSERT_EQ(both.height(), 2 * slot + 2);
    const QImage second = both.copy(0, slot, both.width(), slot + 2);
    const QImage alone = RenderText(style({kana}, 0, 3, 3, QStringLiteral("IPAPGothic"))).mask;
    EXPECT_EQ(second.copy(glyphBox(second)), alone.copy(glyphBox(alone)));
}

// The glyph shape (black in a plain mask) painted at each offset in the colour.
void paintAt(QImage& target, const QImage& glyph, const std::vector<QPoint>& offsets, QRgb colour)
{
    for (QPoint o : offsets)
        for (int y = 0; y < glyph.height(); ++y)
            for (int x = 0; x < glyph.width(); ++x)
                if (glyph.pixel(x, y) == Black && target.valid(x + o.x(), y + o.y()))
                    target.setPixel(x + o.x(), y + o.y(), colour);
}

TEST(RenderText, DecorationsPaintTheGlyphAtTheirOffsets)
{
    struct Case
    {
        int decoration, text, outline;
        std::vector<QPoint> mask;
        std::vector<std::pair<QRgb, std::vector<QPoint>>> layers; // in drawing order
    };
    const std::vector<QPoint> ring{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    const std::vector<QPoint> nine{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    const std::vector<QPoint> bevel{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}, {2, 2}};
    const std::vector<QPoint> upper{{0, 0}, {0, 1}, {1, 0}}, lower{{1, 2}, {2, 1}, {2, 2}};
    const Case cases[] = {
        {1, 3, 0, nine, {{Black, ring}, {White, {{1, 1}}}}},
        {1, 1, 2, nine, {{Light, ring}, {Dark, {{1, 1}}}}},
        {2, 3, 1, {{0, 0}, {1, 1}}, {{Dark, {{1, 1}}}, {White, {{0, 0}}}}},
        {3, 0, 2, bevel, {{White, upper}, {Black, lower}, {Black, {{1, 1}}}}},
        {3, 3, 1, bevel, {{White, upper}, {Black, lower}, {White, {{1, 1}}}}},
        {4, 2, 1, bevel, {{Black, upper}, {White, lower}, {Light, {{1, 1}}}}},
        {5, 3, 3, {}, {}},
    };
    const QStringList lines{QStringLiteral("Ag"), QStringLiteral("Wj_")};
    const QImage glyph = RenderText(style(lines)).mask;
    for (const Case& c : cases) {
        QImage mask(glyph.size(), QImage::Format_RGB888), image(glyph.size(), QImage::Format_RGB888);
        mask.fill(White);
        image.fill(Black);
        paintAt(mask, glyph, c.mask, Black);
        for (const auto& [colour, offsets] : c.layers)
            paintAt(image, glyph, offsets, colour);
        const RenderedText r = RenderText(style(lines, c.decoration, c.text, c.outline));
        EXPECT_EQ(r.mask, mask) << "decoration " << c.decoration;
        EXPECT_EQ(r.image, image) << "decoration " << c.decoration;
    }
}

// Made once and checked by eye (image beside mask); VANTREL_UPDATE_GOLDEN=1 writes them anew.
TEST(RenderText, DecorationsMatchGoldenImages)
{
    const QDir folder(QStringLiteral(VANTREL_TEST_DATA_DIR "/text"));
    for (int decoration = 0; decoration <= 4; ++decoration) {
        TextStyle s = style({QStringLiteral("Ag"), QStringLiteral("\u5B57W")}, decoration, 2, 1);
        s.pointSize = 14;
        s.bold = decoration == 4;
        s.underline = decoration == 2;
        const RenderedText r = RenderText(s);
        QImage actual(r.image.width() * 2, r.image.height(), QImage::Format_RGB888);
        QPainter(&actual).drawImage(0, 0, r.image);
        QPainter(&actual).drawImage(r.image.width(), 0, r.mask);
        const QString path = folder.filePath(QStringLiteral("decoration_%1.png").arg(decoration));
        if (qEnvironmentVariableIntValue("VANTREL_UPDATE_GOLDEN") == 1)
            ASSERT_TRUE(actual.save(path)) << qPrintable(path);
        else
            EXPECT_EQ(actual, QImage(path).convertToFormat(QImage::Format_RGB888)) << qPrintable(path);
    }
}

TEST(RenderText, EmptyTextGivesTwoByTwoBackgrounds)
{
    QImage black(2, 2, QImage::Format_RGB888), white(2, 2, QImage::Format_RGB888);
    black.fill(Black);
    white.fill(White);
    for (const QStringList& lines :
         {QStringList{}, QStringList{QString()}, QStringList{QString(), QString()}}) {
        const RenderedText r = RenderText(style(lines, 1));
        EXPECT_EQ(r.image, black) << lines.size();
        EXPECT_EQ(r.mask, white) << lines.size();
    }
}

} // namespace
} // namespace vantrel
