#include "core/imaging/median_cut.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <vector>

namespace vantrel {
namespace {

struct Colour
{
    QRgb rgb;
    qint64 count;
};

int channel(QRgb rgb, int which)
{
    return which == 0 ? qRed(rgb) : which == 1 ? qGreen(rgb) : qBlue(rgb);
}

// A run of the colour list; its widest channel and that channel's range.
struct Box
{
    std::size_t begin, end;
    int widest = 0;
    int range = 0;
};

Box measured(const std::vector<Colour>& colours, std::size_t begin, std::size_t end)
{
    Box box{begin, end};
    for (int which = 0; which < 3; ++which) {
        const auto [low, high] =
            std::minmax_element(colours.begin() + qsizetype(begin), colours.begin() + qsizetype(end),
                                [which](const Colour& a, const Colour& b) {
                                    return channel(a.rgb, which) < channel(b.rgb, which);
                                });
        const int range = channel(high->rgb, which) - channel(low->rgb, which);
        if (range > box.range) {
            box.range = range;
            box.widest = which;
        }
    }
    return box;
}

} // namespace

QImage medianCut(const QImage& picture, int maxColours)
{
    if (picture.isNull() || maxColours < 1 || maxColours > 256)
        return {};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    if (rgb.isNull() || out.isNull())
        return {};

    QHash<QRgb, qint64> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++counts[line[x] | 0xFF000000u];
    }
    std::vector<Colour> colours;
    colours.reserve(std::size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        colours.push_back({it.key(), it.value()});
    // The hash's order changes from run to run; the result must not.
    std::sort(colours.begin(), colours.end(), [](const Colour& a, const Colour& b) { return a.rgb < b.rgb; });

    std::vector<Box> boxes{measured(colours, 0, colours.size())};
    while (boxes.size() < std::size_t(maxColours)) {
        const auto widest = std::max_element(boxes.begin(), boxes.end(),
                                             [](const Box& a, const Box& b) { return a.range < b.range; });
        if (widest->range == 0)
            break;
        const Box box = *widest;
        const auto first = colours.begin() + qsizetype(box.begin);
        const auto last = colours.begin() + qsizetype(box.end);
        std::sort(first, last, [&box](const Colour& a, const Colour& b) {
            const int ca = channel(a.rgb, box.widest), cb = channel(b.rgb, box.widest);
            return ca != cb ? ca < cb : a.rgb < b.rgb;
        });
        qint64 total = 0;
        for (auto it = first; it != last; ++it)
            total += it->count;
        // The median pixel, kept off the ends so that both halves hold a colour.
        std::size_t split = box.begin + 1;
        for (qint64 below = first->count; split + 1 < box.end && below * 2 < total; ++split)
            below += colours[split].count;
        *widest = measured(colours, box.begin, split);
        boxes.push_back(measured(colours, split, box.end));
    }

    QList<QRgb> table;
    QHash<QRgb, uchar> indexOf;
    for (const Box& box : boxes) {
        std::array<qint64, 3> sums{};
        qint64 total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            for (int which = 0; which < 3; ++which)
                sums[std::size_t(which)] += channel(colours[i].rgb, which) * colours[i].count;
            total += colours[i].count;
            indexOf.insert(colours[i].rgb, static_cast<uchar>(table.size()));
        }
        table.append(qRgb(int((sums[0] + total / 2) / total), int((sums[1] + total / 2) / total),
                          int((sums[2] + total / 2) / total)));
    }
    out.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* indexes = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            indexes[x] = indexOf.value(line[x] | 0xFF000000u);
    }
    return out;
}

} // namespace vantrel
