#include "core/panel/lit_panel.h"

#include "core/files/panel_levels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vantrel {
namespace {

// For each pixel along one side: its dot, its block's length and its doubled distance from
// the block's centre (odd for even blocks, so that the circle test stays in integers).
struct AxisMap
{
    std::vector<int> dot, block, offset;
};

AxisMap mapAxis(int dots, int pixels)
{
    AxisMap map;
    map.dot.resize(static_cast<std::size_t>(pixels));
    map.block.resize(map.dot.size());
    map.offset.resize(map.dot.size());
    for (int p = 0; p < pixels; ++p)
        map.dot[std::size_t(p)] = static_cast<int>(qint64{p} * dots / pixels);
    for (int start = 0; start < pixels;) {
        int end = start;
        while (end < pixels && map.dot[std::size_t(end)] == map.dot[std::size_t(start)])
            ++end;
        for (int p = start; p < end; ++p) {
            map.block[std::size_t(p)] = end - start;
            map.offset[std::size_t(p)] = 2 * (p - start) + 1 - (end - start);
        }
        start = end;
    }
    return map;
}

} // namespace

QImage renderLitPanel(const QImage& mono, QSize size, const Palette4& tints, bool dots)
{
    if (mono.isNull() || size.isEmpty())
        return {};
    const QImage levels = toPanelLevels(mono);
    QImage panel(size, QImage::Format_Indexed8);
    if (levels.isNull() || panel.isNull())
        return {};
    QList<QRgb> table;
    for (ColorRef tint : tints)
        table.append(toQRgb(tint));
    table.append(DotGapColour);
    panel.setColorTable(table);

    const AxisMap across = mapAxis(levels.width(), size.width());
    const AxisMap down = mapAxis(levels.height(), size.height());
    const int width = size.width();
    for (int y = 0; y < size.height(); ++y) {
        const auto row = std::size_t(y);
        uchar* out = panel.scanLine(y);
        // Rows of a block at the same distance from its centre are alike.
        if (y > 0 && down.dot[row] == down.dot[row - 1] &&
            (!dots || std::abs(down.offset[row]) == std::abs(down.offset[row - 1]))) {
            std::memcpy(out, panel.constScanLine(y - 1), std::size_t(width));
            continue;
        }
        const uchar* in = levels.constScanLine(down.dot[row]);
        if (!dots) {
            for (int x = 0; x < width; ++x)
                out[x] = in[across.dot[std::size_t(x)]];
            continue;
        }
        const int dy2 = down.offset[row] * down.offset[row];
        for (int x = 0; x < width; ++x) {
            const auto column = std::size_t(x);
            const int diameter = std::min(across.block[column], down.block[row]);
            const int dx = across.offset[column];
            out[x] = dx * dx + dy2 <= diameter * diameter ? in[across.dot[column]] : uchar{DotGapEntry};
        }
    }
    return panel;
}

} // namespace vantrel
