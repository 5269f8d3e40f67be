#include "core/files/panel_levels.h"

#include "core/files/frame_record.h"
#include "core/imaging/bitmap.h"
#include "core/imaging/mono_conversion.h"

#include <QColor>

#include <algorithm>
#include <array>

namespace vantrel {

namespace {

int levelOfColour(QRgb colour)
{
    return QuantizeLevel(std::max({qRed(colour), qGreen(colour), qBlue(colour)}), 2);
}

} // namespace

QList<QRgb> monoColourTable()
{
    QList<QRgb> table;
    for (ColorRef entry : MonoPalette)
        table.append(toQRgb(entry));
    return table;
}

QImage toPanelLevels(const QImage& frame)
{
    if (frame.isNull())
        return {};
    QImage levels(frame.size(), QImage::Format_Indexed8);
    if (levels.isNull())
        return {};
    levels.setColorTable(monoColourTable());
    const int width = frame.width(); // QImage's accessors are calls: keep them out of the loops
    const int height = frame.height();

    if (frame.format() == QImage::Format_Indexed8) {
        // One level per palette entry; indexes beyond the table read as level 0.
        std::array<uchar, 256> levelOfIndex{};
        const QList<QRgb> table = frame.colorTable();
        const bool twoBits = bitmapBits(frame) == 2;
        for (qsizetype k = 0; k < std::min<qsizetype>(table.size(), 256); ++k)
            levelOfIndex[k] = static_cast<uchar>(twoBits ? k : levelOfColour(table[k]));
        for (int y = 0; y < height; ++y) {
            const uchar* in = frame.constScanLine(y);
            uchar* out = levels.scanLine(y);
            for (int x = 0; x < width; ++x)
                out[x] = levelOfIndex[in[x]];
        }
        return levels;
    }

    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = levels.scanLine(y);
        for (int x = 0; x < width; ++x)
            out[x] = static_cast<uchar>(levelOfColour(in[x]));
    }
    return levels;
}

QImage toColourFrame(const QImage& frame)
{
    if (frame.format() != QImage::Format_Indexed8)
        return frame.convertToFormat(QImage::Format_RGB888);
    // Straight through the colour table: several times faster than the general conversion.
    QImage colour(frame.size(), QImage::Format_RGB888);
    if (colour.isNull())
        return {};
    std::array<QRgb, 256> table{};
    const QList<QRgb> entries = frame.colorTable();
    std::copy_n(entries.begin(), std::min<qsizetype>(entries.size(), 256), table.begin());
    const int width = frame.width();
    const int height = frame.height();
    for (int y = 0; y < height; ++y) {
        const uchar* in = frame.constScanLine(y);
        uchar* out = colour.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb c = table[in[x]];
            out[3 * x] = static_cast<uchar>(qRed(c));
            out[3 * x + 1] = static_cast<uchar>(qGreen(c));
            out[3 * x + 2] = static_cast<uchar>(qBlue(c));
        }
    }
    return colour;
}

} // namespace vantrel
