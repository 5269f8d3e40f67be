#include "core/panel/lit_panel.h"

#include "core/files/panel_levels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace vantrel {
namespace {

// For each pixel along one side, the dot a nearest-neighbour stretch gives it.
std::vector<int> mapAxis(int dots, int pixels)
{
    std::vector<int> dot(static_cast<std::size_t>(pixels));
    for (int p = 0; p < pixels; ++p)
        dot[std::size_t(p)] = static_cast<int>(qint64{p} * dots / pixels);
    return dot;
}

// How much of each pixel of a dot its rounded shape covers, in steps of 0 (gap) to
// EdgeCoverages + 1 (full), row by row; sampled 4 x 4 in each pixel.
std::vector<int> dotCoverage(int width, int height)
{
    constexpr int Samples = 4;
    const double radius = std::min(width, height) / 3.0;
    auto inside = [&](double x, double y) {
        const double cx = std::clamp(x, radius, width - radius), cy = std::clamp(y, radius, height - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
    std::vector<int> coverage(std::size_t(width) * std::size_t(height));
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx)
                    hits += inside(px + (sx + 0.5) / Samples, py + (sy + 0.5) / Samples);
            coverage[std::size_t(py) * std::size_t(width) + std::size_t(px)] =
                (hits * (EdgeCoverages + 1) + Samples * Samples / 2) / (Samples * Samples);
        }
    }
    return coverage;
}

// The colour-table entry of a level at a coverage step.
uchar entryOf(int level, int step)
{
    if (step <= 0)
        return DotGapEntry;
    if (step > EdgeCoverages)
        return uchar(level);
    return uchar(DotGapEntry + 1 + level * EdgeCoverages + step - 1);
}

// A geometry with no size or a negative space stands for the shipped panel's.
DotGeometry usable(const DotGeometry& geometry)
{
    return geometry.width > 0 && geometry.height > 0 && geometry.space >= 0 ? geometry : DotGeometry{};
}

int capDot(int wanted, double pitch)
{
    const int room = int(pitch);
    return std::clamp(wanted, 1, std::max(1, room - 1)); // a pixel of gap wherever there is room
}

QImage plainPanel(const QImage& levels, QImage panel)
{
    const std::vector<int> across = mapAxis(levels.width(), panel.width());
    const std::vector<int> down = mapAxis(levels.height(), panel.height());
    for (int y = 0; y < panel.height(); ++y) {
        const auto row = std::size_t(y);
        uchar* out = panel.scanLine(y);
        if (y > 0 && down[row] == down[row - 1]) {
            std::memcpy(out, panel.constScanLine(y - 1), std::size_t(panel.width()));
            continue;
        }
        const uchar* in = levels.constScanLine(down[row]);
        for (int x = 0; x < panel.width(); ++x)
            out[x] = in[across[std::size_t(x)]];
    }
    return panel;
}

QImage dottedPanel(const QImage& levels, QImage panel, const DotGeometry& geometry)
{
    const DotLayout layout = layoutDots(levels.size(), panel.size(), geometry);
    const std::vector<int> coverage = dotCoverage(layout.dotWidth, layout.dotHeight);
    panel.fill(DotGapEntry);
    for (int row = 0; row < levels.height(); ++row) {
        const int top = layout.top(row);
        const uchar* in = levels.constScanLine(row);
        for (int column = 0; column < levels.width(); ++column) {
            const int left = layout.left(column);
            const int level = in[column] & 3;
            for (int y = 0; y < layout.dotHeight && top + y < panel.height(); ++y) {
                uchar* out = panel.scanLine(top + y) + left;
                const int* steps = coverage.data() + std::size_t(y) * std::size_t(layout.dotWidth);
                for (int x = 0; x < layout.dotWidth && left + x < panel.width(); ++x)
                    out[x] = entryOf(level, steps[x]);
            }
        }
    }
    return panel;
}

} // namespace

int DotLayout::left(int column) const
{
    return int(std::lround(column * pitchX));
}

int DotLayout::top(int row) const
{
    return int(std::lround(row * pitchY));
}

DotLayout layoutDots(QSize dots, QSize pixels, const DotGeometry& geometry)
{
    DotLayout layout;
    if (dots.isEmpty() || pixels.isEmpty())
        return layout;
    const DotGeometry shape = usable(geometry);
    layout.pitchX = double(pixels.width()) / dots.width();
    layout.pitchY = double(pixels.height()) / dots.height();
    layout.dotWidth =
        capDot(int(std::lround(layout.pitchX * shape.width / (shape.width + shape.space))), layout.pitchX);
    layout.dotHeight =
        capDot(int(std::lround(layout.pitchY * shape.height / (shape.height + shape.space))), layout.pitchY);
    return layout;
}

QSize dottedPanelSize(QSize dots, int pitch, const DotGeometry& geometry)
{
    const DotGeometry shape = usable(geometry);
    const double pitchY = double(pitch) * (shape.height + shape.space) / (shape.width + shape.space);
    return {dots.width() * pitch, std::max(1, int(std::lround(dots.height() * pitchY)))};
}

QList<QRgb> litPanelColours(const Palette4& tints)
{
    QList<QRgb> table;
    for (ColorRef tint : tints)
        table.append(toQRgb(tint));
    table.append(DotGapColour);
    for (int level = 0; level < 4; ++level) {
        const QRgb full = table[level];
        for (int step = 1; step <= EdgeCoverages; ++step) {
            auto mix = [&](int gap, int lit) {
                return (gap * (EdgeCoverages + 1 - step) + lit * step + (EdgeCoverages + 1) / 2) /
                       (EdgeCoverages + 1);
            };
            table.append(qRgb(mix(qRed(DotGapColour), qRed(full)), mix(qGreen(DotGapColour), qGreen(full)),
                              mix(qBlue(DotGapColour), qBlue(full))));
        }
    }
    return table;
}

QImage renderLitPanel(const QImage& mono, QSize size, const Palette4& tints, const DotGeometry* geometry)
{
    if (mono.isNull() || size.isEmpty())
        return {};
    const QImage levels = toPanelLevels(mono);
    QImage panel(size, QImage::Format_Indexed8);
    if (levels.isNull() || panel.isNull())
        return {};
    panel.setColorTable(litPanelColours(tints));
    return geometry ? dottedPanel(levels, std::move(panel), *geometry) : plainPanel(levels, std::move(panel));
}

} // namespace vantrel
