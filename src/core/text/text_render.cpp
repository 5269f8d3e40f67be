#include "core/text/text_render.h"

#include "core/imaging/mono_conversion.h"

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantrel {

namespace {

// Room around the text for the decorations' offsets (0..2).
constexpr int Margin = 2;

struct Layer
{
    QRgb colour;
    std::vector<QPoint> offsets;
};

// Where the glyphs go: the mask's offsets, then the image's colour layers in drawing order.
struct Decoration
{
    std::vector<QPoint> mask;
    std::vector<Layer> image;
};

QRgb paletteColour(int index)
{
    return toQRgb(MonoPalette[static_cast<std::size_t>(std::clamp(index, 0, 3))]);
}

Decoration decorationOf(const TextStyle& style)
{
    const QRgb text = paletteColour(style.textColour);
    const QRgb outline = paletteColour(style.outlineColour);
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    const std::vector<QPoint> around{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
    const std::vector<QPoint> upperLeft{{0, 0}, {0, 1}, {1, 0}};
    const std::vector<QPoint> lowerRight{{1, 2}, {2, 1}, {2, 2}};
    const std::vector<QPoint> bevel{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}, {2, 2}};
    std::vector<QPoint> all = around;
    all.emplace_back(1, 1);
    switch (style.decoration) {
    case 0:
        return {{{0, 0}}, {{text, {{0, 0}}}}};
    case 1:
        return {all, {{outline, around}, {text, {{1, 1}}}}};
    case 2:
        return {{{0, 0}, {1, 1}}, {{outline, {{1, 1}}}, {text, {{0, 0}}}}};
    case 3:
        return {bevel, {{white, upperLeft}, {black, lowerRight}, {text, {{1, 1}}}}};
    case 4:
        return {bevel, {{black, upperLeft}, {white, lowerRight}, {text, {{1, 1}}}}};
    default:
        return {};
    }
}

QFont fontOf(const TextStyle& style)
{
    QFont font;
    QStringList families;
    if (!style.fontFamily.isEmpty())
        families << style.fontFamily;
    // The face shipped for Japanese supplies any character the chosen font lacks.
    families << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic");
    font.setFamilies(families);
    // Pixels at 96 dots per inch, so the panel shows the same dots on every monitor.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(style.pointSize * 96.0 / 72.0))));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikeOut);
    // The panel has four levels and no smoothing survives the reduction: crisp glyphs keep the
    // mask and the image on exactly the same pixels.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The last character as the user sees it: a surrogate pair or a base with its marks is one.
QString lastCharacter(const QString& line)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    finder.toEnd();
    const qsizetype end = finder.position();
    const qsizetype start = finder.toPreviousBoundary();
    return start < 0 ? QString() : line.mid(start, end - start);
}

struct LineBox
{
    int width = 0;
    int ascent = 0;
    int height = 0;
};

// Characters taken from the fallback face may reach higher or lower than the chosen font.
LineBox measureLine(const QString& line, const QFont& font, const QFontMetrics& metrics)
{
    int ascent = metrics.ascent();
    int descent = metrics.descent();
    if (!line.isEmpty()) {
        QTextLayout layout(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            ascent = std::max(ascent, static_cast<int>(std::lround(run.rawFont().ascent())));
            descent = std::max(descent, static_cast<int>(std::lround(run.rawFont().descent())));
        }
    }
    const int width = metrics.horizontalAdvance(line) + metrics.horizontalAdvance(lastCharacter(line)) / 2;
    return {width, ascent, ascent + descent};
}

// Every line in one colour before the next colour, so a later layer covers an earlier one
// across line boundaries too.
void drawLayers(QImage& target, const QFont& font, const std::vector<Layer>& layers, const QStringList& lines,
                const std::vector<LineBox>& boxes, int slot)
{
    QPainter painter(&target);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    for (const Layer& layer : layers) {
        painter.setPen(QColor(layer.colour));
        for (const QPoint& offset : layer.offsets)
            for (int i = 0; i < lines.size(); ++i)
                painter.drawText(offset + QPoint(0, i * slot + boxes[static_cast<std::size_t>(i)].ascent),
                                 lines[i]);
    }
}

bool allEmpty(const QStringList& lines)
{
    return std::all_of(lines.begin(), lines.end(), [](const QString& line) { return line.isEmpty(); });
}

} // namespace

RenderedText RenderText(const TextStyle& style)
{
    if (allEmpty(style.lines)) {
        QImage image(Margin, Margin, QImage::Format_RGB888);
        QImage mask(Margin, Margin, QImage::Format_RGB888);
        image.fill(Qt::black);
        mask.fill(Qt::white);
        return {image, mask};
    }

    const QFont font = fontOf(style);
    const QFontMetrics metrics(font);
    std::vector<LineBox> boxes;
    int width = 0, slot = 0;
    for (const QString& line : style.lines) {
        boxes.push_back(measureLine(line, font, metrics));
        width = std::max(width, boxes.back().width);
        slot = std::max(slot, boxes.back().height);
    }

    // Painted in 32-bit, the raster engine's own format, and handed out as 24-bit.
    const int lineCount = static_cast<int>(style.lines.size());
    QImage image(width + Margin, slot * lineCount + Margin, QImage::Format_RGB32);
    QImage mask(image.size(), QImage::Format_RGB32);
    if (image.isNull() || mask.isNull())
        return {};
    image.fill(Qt::black);
    mask.fill(Qt::white);

    const Decoration decoration = decorationOf(style);
    drawLayers(mask, font, {{qRgb(0, 0, 0), decoration.mask}}, style.lines, boxes, slot);
    drawLayers(image, font, decoration.image, style.lines, boxes, slot);
    return {image.convertToFormat(QImage::Format_RGB888), mask.convertToFormat(QImage::Format_RGB888)};
}

} // namespace vantrel
