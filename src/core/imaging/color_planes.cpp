#include "core/imaging/color_planes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

// Hue takes 256 steps around the circle (0 = red, 85.3 = green, 170.7 = blue, 256 wraps to 0),
// the finest an 8-bit plane allows. Eight bits of hue can't hold every hue a 24-bit colour
// has (1530 fully saturated hues), so separation picks, of the hue steps either side of the
// exact hue, the one that merges back nearest; the remaining error is bounded in the tests.
namespace vantrel {

namespace {

using Rgb = std::array<int, 3>;
using Code = std::array<int, 3>; // plane values in plane order

constexpr double HueSteps = 256.0;

int toByte(double v)
{
    return static_cast<int>(std::clamp(std::lround(v), 0L, 255L));
}

// Red, green and blue from the hue byte, the chroma and the smallest channel.
Rgb fromHue(int hue, double chroma, double min)
{
    const double h = hue * 6.0 / HueSteps;
    const double x = chroma * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0:
        r = chroma;
        g = x;
        break;
    case 1:
        r = x;
        g = chroma;
        break;
    case 2:
        g = chroma;
        b = x;
        break;
    case 3:
        g = x;
        b = chroma;
        break;
    case 4:
        r = x;
        b = chroma;
        break;
    default:
        r = chroma;
        b = x;
        break;
    }
    return {toByte(r + min), toByte(g + min), toByte(b + min)};
}

Rgb decode(const Code& code, ColorModel model)
{
    if (model == ColorModel::Hsv) {
        const double value = code[2];
        const double chroma = value * code[1] / 255.0;
        return fromHue(code[0], chroma, value - chroma);
    }
    const double lightness = code[1];
    const double chroma = (255.0 - std::fabs(2.0 * lightness - 255.0)) * code[2] / 255.0;
    return fromHue(code[0], chroma, lightness - chroma / 2.0);
}

int distance(const Rgb& a, const Rgb& b)
{
    return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

// Lightness (max + min) / 2 and the saturation that merging reads against it.
Code hlsWithoutHue(int lightness, int chroma)
{
    const int span = 255 - std::abs(2 * lightness - 255);
    return {0, lightness, chroma == 0 ? 0 : (chroma >= span ? 255 : toByte(255.0 * chroma / span))};
}

Code encode(const Rgb& c, ColorModel model)
{
    const auto [r, g, b] = c;
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    const int chroma = max - min;

    // Hue-less codes to try: HSV has one; HLS with a half-way lightness tries both sides,
    // since full chroma needs lightness 127.5 and only one side keeps the largest channel.
    std::array<Code, 2> bases{};
    int baseCount = 1;
    if (model == ColorModel::Hsv) {
        bases[0] = {0, max == 0 ? 0 : toByte(255.0 * chroma / max), max};
    } else {
        bases[0] = hlsWithoutHue((max + min + 1) / 2, chroma);
        if ((max + min) % 2 != 0 && chroma != 0)
            bases[baseCount++] = hlsWithoutHue((max + min) / 2, chroma);
    }
    if (chroma == 0)
        return bases[0];

    double sextants;
    if (max == r)
        sextants = static_cast<double>(g - b) / chroma;
    else if (max == g)
        sextants = static_cast<double>(b - r) / chroma + 2.0;
    else
        sextants = static_cast<double>(r - g) / chroma + 4.0;
    const double steps = (sextants < 0.0 ? sextants + 6.0 : sextants) * HueSteps / 6.0;

    // Of the hue steps either side, the code that merges back nearest (the first on a tie).
    const int below = static_cast<int>(std::floor(steps));
    Code best = bases[0];
    int bestDistance = 256;
    for (int i = 0; i < baseCount; ++i)
        for (int hue : {below, below + 1}) {
            const Code candidate{hue & 0xFF, bases[i][1], bases[i][2]};
            const int d = distance(decode(candidate, model), c);
            if (d < bestDistance) {
                bestDistance = d;
                best = candidate;
            }
        }
    return best;
}

} // namespace

ColorPlanes separateColorPlanes(const QImage& image, ColorModel model)
{
    if (image.isNull() || (model != ColorModel::Hsv && model != ColorModel::Hls))
        return {};
    const QImage colour =
        image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
    ColorPlanes planes;
    for (QImage& plane : planes) {
        plane = QImage(image.size(), QImage::Format_Grayscale8);
        if (plane.isNull())
            return {};
    }
    if (colour.isNull())
        return {};

    for (int y = 0; y < colour.height(); ++y) {
        const std::uint8_t* s = colour.constScanLine(y);
        std::array<std::uint8_t*, 3> p{planes[0].scanLine(y), planes[1].scanLine(y), planes[2].scanLine(y)};
        for (int x = 0; x < colour.width(); ++x) {
            const Code code = encode({s[3 * x], s[3 * x + 1], s[3 * x + 2]}, model);
            for (int i = 0; i < 3; ++i)
                p[i][x] = static_cast<std::uint8_t>(code[i]);
        }
    }
    return planes;
}

QImage mergeColorPlanes(const ColorPlanes& planes, ColorModel model)
{
    if (model != ColorModel::Hsv && model != ColorModel::Hls)
        return {};
    const QSize size = planes[0].size();
    if (planes[0].isNull() || planes[1].size() != size || planes[2].size() != size)
        return {};
    ColorPlanes grey;
    for (int i = 0; i < 3; ++i) {
        grey[i] = planes[i].format() == QImage::Format_Grayscale8
                      ? planes[i]
                      : planes[i].convertToFormat(QImage::Format_Grayscale8);
        if (grey[i].isNull())
            return {};
    }
    QImage out(size, QImage::Format_RGB888);
    if (out.isNull())
        return {};

    for (int y = 0; y < size.height(); ++y) {
        const std::uint8_t* p0 = grey[0].constScanLine(y);
        const std::uint8_t* p1 = grey[1].constScanLine(y);
        const std::uint8_t* p2 = grey[2].constScanLine(y);
        std::uint8_t* d = out.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            const Rgb c = decode({p0[x], p1[x], p2[x]}, model);
            for (int i = 0; i < 3; ++i)
                d[3 * x + i] = static_cast<std::uint8_t>(c[i]);
        }
    }
    return out;
}

} // namespace vantrel
