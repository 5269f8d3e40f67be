#include "core/imaging/color_reduction.h"
#include "core/imaging/blue_noise_mask.h"
#include "core/imaging/mono_conversion.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

// One dithering engine serves two pixel layouts: three channels (RGB888 against any palette)
// and one channel (a grey plane against a grey palette, the fast path MakeMono relies on).
// With equal channels and a grey palette both layouts choose the same indexes, so the grey
// path is an optimisation only, never a different result.
namespace vantrel {

namespace {

struct Tap
{
    int dx, dy, weight;
};

// The first tap is the right-hand neighbour: it also takes what is left below a whole level,
// so the error a pixel passes on adds up exactly (the region's mean brightness is kept).
// clang-format off
struct BurkesKernel
{
    static constexpr int Divisor = 32;
    static constexpr std::array<Tap, 7> Taps{{
                                  {1, 0, 8}, {2, 0, 4},
        {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}}};
};

struct JarvisJudiceNinkeKernel
{
    static constexpr int Divisor = 48;
    static constexpr std::array<Tap, 12> Taps{{
                                  {1, 0, 7}, {2, 0, 5},
        {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5}, {2, 1, 3},
        {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5}, {1, 2, 3}, {2, 2, 1}}};
};
// clang-format on

constexpr int KernelReach = 2; // columns and rows a kernel reaches past the pixel
constexpr int ErrorRows = KernelReach + 1;

// Ordered dithering: 8 x 8 Bayer matrix anchored at the image's (0, 0); each rank becomes an
// offset spread evenly over one palette step (255 / 3), rounded to whole values.
constexpr std::array<std::array<int, 8>, 8> Bayer8{{{0, 32, 8, 40, 2, 34, 10, 42},
                                                    {48, 16, 56, 24, 50, 18, 58, 26},
                                                    {12, 44, 4, 36, 14, 46, 6, 38},
                                                    {60, 28, 52, 20, 62, 30, 54, 22},
                                                    {3, 35, 11, 43, 1, 33, 9, 41},
                                                    {51, 19, 59, 27, 49, 17, 57, 25},
                                                    {15, 47, 7, 39, 13, 45, 5, 37},
                                                    {63, 31, 55, 23, 61, 29, 53, 21}}};

constexpr std::array<std::array<int, 8>, 8> makeOrderedOffsets()
{
    std::array<std::array<int, 8>, 8> offsets{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int scaled = (2 * Bayer8[y][x] - 63) * 85; // offset * 128
            offsets[y][x] = scaled >= 0 ? (scaled + 64) / 128 : -((-scaled + 64) / 128);
        }
    return offsets;
}
constexpr auto OrderedOffsets = makeOrderedOffsets();

int clampByte(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

int nearestEntry(const Palette4& palette, int r, int g, int b)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 4; ++i) {
        const int dr = r - redOf(palette[i]);
        const int dg = g - greenOf(palette[i]);
        const int db = b - blueOf(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// Whole channel values a pixel can have while its entry is chosen: 0..255 and, during error
// diffusion, the error it received (held within this window).
constexpr int ValueMin = -255;
constexpr int ValueMax = 510;

// The palette seen by an N-channel layout: pick() gives the entry for whole channel values in
// ValueMin..ValueMax (out of 0..255 they count as 0 or 255) and that entry's channel levels.
template <int N> struct Chooser;

template <> struct Chooser<3>
{
    explicit Chooser(const Palette4& p) : palette(p)
    {
        for (int i = 0; i < 4; ++i)
            levels[i] = {redOf(p[i]), greenOf(p[i]), blueOf(p[i])};
    }
    int pick(const int* v, int* level) const
    {
        const int index = nearestEntry(palette, clampByte(v[0]), clampByte(v[1]), clampByte(v[2]));
        for (int c = 0; c < 3; ++c)
            level[c] = levels[static_cast<std::size_t>(index)][c];
        return index;
    }
    Palette4 palette;
    std::array<std::array<int, 3>, 4> levels{};
};

// One grey channel: tables over the whole value window, so neither a clamp nor the index is
// waited for before the level is known.
template <> struct Chooser<1>
{
    explicit Chooser(const Palette4& p) : palette(p)
    {
        for (int v = ValueMin; v <= ValueMax; ++v) {
            const int grey = clampByte(v);
            const int index = nearestEntry(p, grey, grey, grey);
            indexes[static_cast<std::size_t>(v - ValueMin)] = static_cast<std::uint8_t>(index);
            levels[static_cast<std::size_t>(v - ValueMin)] = redOf(p[static_cast<std::size_t>(index)]);
        }
    }
    int pick(const int* v, int* level) const
    {
        level[0] = levels[static_cast<std::size_t>(v[0] - ValueMin)];
        return indexes[static_cast<std::size_t>(v[0] - ValueMin)];
    }
    Palette4 palette;
    std::array<std::uint8_t, ValueMax - ValueMin + 1> indexes{};
    std::array<int, ValueMax - ValueMin + 1> levels{};
};

// Rows of N-channel source pixels and of index output, both width pixels long.
struct Planes
{
    const QImage& source;
    QImage& target;
    int width() const { return source.width(); }
    int height() const { return source.height(); }
};

template <int N> void reduceNearest(Planes p, const Chooser<N>& choose)
{
    const int w = p.width();
    for (int y = 0; y < p.height(); ++y) {
        const std::uint8_t* s = p.source.constScanLine(y);
        std::uint8_t* d = p.target.scanLine(y);
        for (int x = 0; x < w; ++x) {
            int v[N];
            for (int c = 0; c < N; ++c)
                v[c] = s[x * N + c];
            int level[N];
            d[x] = static_cast<std::uint8_t>(choose.pick(v, level));
        }
    }
}

template <int N> void reduceOrdered(Planes p, const Chooser<N>& choose)
{
    const int w = p.width();
    for (int y = 0; y < p.height(); ++y) {
        const std::uint8_t* s = p.source.constScanLine(y);
        std::uint8_t* d = p.target.scanLine(y);
        const auto& offsets = OrderedOffsets[y & 7];
        for (int x = 0; x < w; ++x) {
            const int offset = offsets[x & 7];
            int v[N];
            for (int c = 0; c < N; ++c)
                v[c] = s[x * N + c] + offset; // within the value window pick() takes
            int level[N];
            d[x] = static_cast<std::uint8_t>(choose.pick(v, level));
        }
    }
}

static_assert((BlueNoiseSide & (BlueNoiseSide - 1)) == 0, "the mask wraps by masking");

// Value v goes one step of the even grid 0, 85, 170, 255 above floor(3v / 255) where its
// fraction past that step, (3v mod 255) / 255, exceeds (rank + 0.5) / cells. The fraction is a
// multiple of 3 / 255, so the test folds into a whole offset o per rank: the level is
// floor((v + o) / 85), with o in 0..84 so that 255 stays at the top level.
const std::array<std::uint8_t, BlueNoiseSide * BlueNoiseSide>& blueNoiseOffsets()
{
    static const auto offsets = [] {
        constexpr int Cells = BlueNoiseSide * BlueNoiseSide;
        std::array<std::uint8_t, Cells> table{};
        for (int i = 0; i < Cells; ++i) {
            const int rank = BlueNoiseRanks[static_cast<std::size_t>(i)];
            const int lowestRaised = 255 * (2 * rank + 1) / (2 * Cells) + 1; // in 1 / 255
            table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(85 - (lowestRaised + 2) / 3);
        }
        return table;
    }();
    return offsets;
}

constexpr std::array<int, 340> makeGridLevels()
{
    std::array<int, 340> levels{};
    for (int i = 0; i < 340; ++i)
        levels[static_cast<std::size_t>(i)] = i / 85 * 85;
    return levels;
}
constexpr auto GridLevels = makeGridLevels(); // v + o to 0, 85, 170 or 255

template <int N> void reduceBlueNoise(Planes p, const Chooser<N>& choose)
{
    const auto& offsets = blueNoiseOffsets();
    const int w = p.width();
    for (int y = 0; y < p.height(); ++y) {
        const std::uint8_t* s = p.source.constScanLine(y);
        std::uint8_t* d = p.target.scanLine(y);
        const std::uint8_t* row = offsets.data() + (y & (BlueNoiseSide - 1)) * BlueNoiseSide;
        for (int x = 0; x < w; ++x) {
            const int offset = row[x & (BlueNoiseSide - 1)];
            int v[N];
            for (int c = 0; c < N; ++c)
                v[c] = GridLevels[static_cast<std::size_t>(s[x * N + c] + offset)];
            int level[N];
            d[x] = static_cast<std::uint8_t>(choose.pick(v, level));
        }
    }
}

// Passes one channel's error of the pixel at x on to its neighbours: whole levels times each
// tap's weight, and to the right-hand neighbour (returned, for the caller to carry) also the
// part below a whole level, in 1 / Divisor units, so nothing is lost to rounding. Checked is
// for pixels near an edge: taps that would leave the image are skipped and their share goes to
// the right-hand neighbour, or below at the end of a row; only the image's last pixel drops
// its error.
template <class Kernel, int N, bool Checked>
inline int spreadError(const std::array<int*, ErrorRows>& rows, int x, int c, int error, int remainder,
                       int width, int rowsBelow)
{
    int rest = remainder + error * Kernel::Taps[0].weight;
    for (std::size_t t = 1; t < Kernel::Taps.size(); ++t) {
        const Tap& tap = Kernel::Taps[t];
        if constexpr (Checked) {
            if (x + tap.dx < 0 || x + tap.dx >= width || tap.dy > rowsBelow) {
                rest += error * tap.weight;
                continue;
            }
        }
        rows[static_cast<std::size_t>(tap.dy)][(x + tap.dx) * N + c] += error * tap.weight;
    }
    if (Checked && x + 1 >= width) {
        if (rowsBelow > 0)
            rows[1][x * N + c] += rest;
        return 0;
    }
    return rest;
}

// Error diffusion in integers. A pixel's value with the error it received is exact, in units
// of 1 / Divisor; it is held within the value window only so that a palette unable to reach a
// colour can't make the error grow without bound. The right-hand neighbour's share stays in
// a register (carry): it is the one dependency from pixel to pixel.
template <class Kernel, int N> void reduceDiffused(Planes p, const Chooser<N>& choose)
{
    constexpr int D = Kernel::Divisor;
    const int w = p.width();
    const int h = p.height();
    const int stride = w * N;
    std::vector<int> buffer(static_cast<std::size_t>(stride) * ErrorRows, 0);
    std::array<int*, ErrorRows> rows{};
    for (int r = 0; r < ErrorRows; ++r)
        rows[static_cast<std::size_t>(r)] = buffer.data() + r * stride;

    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = p.source.constScanLine(y);
        std::uint8_t* d = p.target.scanLine(y);
        const int rowsBelow = std::min(h - 1 - y, KernelReach);
        // Pixels whose every tap lands inside the image skip the edge checks.
        const int innerBegin = rowsBelow == KernelReach ? KernelReach : w;
        const int innerEnd = std::max(innerBegin, w - KernelReach);
        int carry[N] = {};
        // One run of pixels, with or without the edge checks.
        auto diffuseRun = [&]<bool Checked>(int from, int to) {
            for (int x = from; x < to; ++x) {
                int exact[N];
                int rounded[N];
                for (int c = 0; c < N; ++c) {
                    exact[c] = std::clamp(s[x * N + c] * D + rows[0][x * N + c] + carry[c], ValueMin * D,
                                          ValueMax * D);
                    rounded[c] = (exact[c] + D / 2 - ValueMin * D) / D + ValueMin; // nearest whole value
                }
                int level[N];
                d[x] = static_cast<std::uint8_t>(choose.pick(rounded, level));
                for (int c = 0; c < N; ++c)
                    carry[c] = spreadError<Kernel, N, Checked>(rows, x, c, rounded[c] - level[c],
                                                               exact[c] - rounded[c] * D, w, rowsBelow);
            }
        };
        diffuseRun.template operator()<true>(0, std::min(innerBegin, w));
        diffuseRun.template operator()<false>(innerBegin, innerEnd);
        diffuseRun.template operator()<true>(std::max(innerBegin, innerEnd), w);
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
        std::fill(rows[ErrorRows - 1], rows[ErrorRows - 1] + stride, 0);
    }
}

// Building the grey tables costs about as much as reducing a whole panel frame; the panel's
// own palette, which every mono frame uses, gets its tables once (immutable afterwards).
template <int N> void reduceWith(Planes p, const Chooser<N>& choose, DitherMethod method);

template <int N> void reduce(Planes p, const Palette4& palette, DitherMethod method)
{
    static const Chooser<N> monoChooser(MonoPalette);
    if (palette == MonoPalette)
        reduceWith<N>(p, monoChooser, method);
    else
        reduceWith<N>(p, Chooser<N>(palette), method);
}

template <int N> void reduceWith(Planes p, const Chooser<N>& choose, DitherMethod method)
{
    switch (method) {
    case DitherMethod::Burkes:
        reduceDiffused<BurkesKernel, N>(p, choose);
        break;
    case DitherMethod::JarvisJudiceNinke:
        reduceDiffused<JarvisJudiceNinkeKernel, N>(p, choose);
        break;
    case DitherMethod::Ordered:
        reduceOrdered<N>(p, choose);
        break;
    case DitherMethod::BlueNoise:
        reduceBlueNoise<N>(p, choose);
        break;
    case DitherMethod::Nearest:
    default:
        reduceNearest<N>(p, choose);
        break;
    }
}

bool isGreyPalette(const Palette4& palette)
{
    return std::all_of(palette.begin(), palette.end(),
                       [](ColorRef c) { return redOf(c) == greenOf(c) && greenOf(c) == blueOf(c); });
}

} // namespace

QImage colorResTo2Bits(const QImage& source, const Palette4& userPalette, DitherMethod method)
{
    if (source.isNull())
        return {};
    QImage out(source.size(), QImage::Format_Indexed8);
    if (out.isNull())
        return {};
    out.setColorTable(
        {toQRgb(userPalette[0]), toQRgb(userPalette[1]), toQRgb(userPalette[2]), toQRgb(userPalette[3])});

    if (source.format() == QImage::Format_Grayscale8 && isGreyPalette(userPalette)) {
        reduce<1>({source, out}, userPalette, method);
        return out;
    }
    const QImage colour =
        source.format() == QImage::Format_RGB888 ? source : source.convertToFormat(QImage::Format_RGB888);
    if (colour.isNull())
        return {};
    reduce<3>({colour, out}, userPalette, method);
    return out;
}

QImage colorResTo24Bits(const QImage& source)
{
    if (source.isNull())
        return {};
    if (source.format() != QImage::Format_Indexed8)
        return source.convertToFormat(QImage::Format_RGB888);

    // Indexes past the colour table read as black.
    std::array<QRgb, 256> table;
    table.fill(qRgb(0, 0, 0));
    const QList<QRgb> colours = source.colorTable();
    std::copy_n(colours.begin(), std::min<qsizetype>(colours.size(), 256), table.begin());

    QImage out(source.size(), QImage::Format_RGB888);
    if (out.isNull())
        return {};
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* s = source.constScanLine(y);
        std::uint8_t* d = out.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = table[s[x]];
            d[3 * x] = static_cast<std::uint8_t>(qRed(c));
            d[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
            d[3 * x + 2] = static_cast<std::uint8_t>(qBlue(c));
        }
    }
    return out;
}

void setBitmapPaletteEntry(QImage& image, int entry, ColorRef colour)
{
    if (image.isNull() || entry < 0 || entry >= image.colorCount())
        return;
    image.setColor(entry, toQRgb(colour));
}

} // namespace vantrel
