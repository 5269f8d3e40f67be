#include "core/imaging/bitmap.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vantrel {

namespace {

bool isIndexed(const QImage& image)
{
    const auto f = image.format();
    return f == QImage::Format_Indexed8 || f == QImage::Format_Mono || f == QImage::Format_MonoLSB;
}

// Index of the colour-table entry nearest to the colour (squared RGB distance, first wins).
int nearestTableIndex(const QImage& image, ColorRef colour)
{
    const QList<QRgb> table = image.colorTable();
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < table.size(); ++i) {
        const int dr = qRed(table[i]) - redOf(colour);
        const int dg = qGreen(table[i]) - greenOf(colour);
        const int db = qBlue(table[i]) - blueOf(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// A coordinate as a whole number of pixels, truncated toward zero and held within ±1e18, far
// past any bitmap yet small enough that the sums clipping makes (at most 3e18) can't overflow.
std::int64_t wholePixels(double v)
{
    constexpr double Limit = 1e18;
    return static_cast<std::int64_t>(std::trunc(std::clamp(v, -Limit, Limit)));
}

void combineRow(std::uint8_t* d, const std::uint8_t* s, int bytes, CombineMode mode)
{
    switch (mode) {
    case CombineMode::And:
        for (int i = 0; i < bytes; ++i)
            d[i] &= s[i];
        break;
    case CombineMode::Or:
        for (int i = 0; i < bytes; ++i)
            d[i] |= s[i];
        break;
    case CombineMode::Add:
        for (int i = 0; i < bytes; ++i) {
            const int sum = d[i] + s[i];
            d[i] = static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
        }
        break;
    case CombineMode::Copy:
        std::memcpy(d, s, static_cast<std::size_t>(bytes));
        break;
    }
}

} // namespace

QImage createBitmap(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    if (!image.isNull())
        image.fill(Qt::black);
    return image;
}

void fillBitmap(QImage& image, ColorRef colour)
{
    if (image.isNull())
        return;
    if (isIndexed(image))
        image.fill(static_cast<uint>(nearestTableIndex(image, colour)));
    else
        image.fill(QColor(redOf(colour), greenOf(colour), blueOf(colour)));
}

int bitmapBits(const QImage& image)
{
    if (image.isNull())
        return 0;
    if (isIndexed(image)) {
        const int entries = image.colorCount();
        if (image.depth() == 1 || (entries > 0 && entries <= 2))
            return 1;
        if (entries > 0 && entries <= 4)
            return 2;
        if (entries > 0 && entries <= 16)
            return 4;
        return 8;
    }
    if (image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_Alpha8)
        return 8;
    return 24;
}

QImage resizeNearest(const QImage& image, int width, int height)
{
    if (image.isNull() || width <= 0 || height <= 0)
        return {};
    QImage out(width, height, image.format());
    if (out.isNull())
        return {};
    out.setColorTable(image.colorTable());
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());

    const std::int64_t srcW = image.width();
    const std::int64_t srcH = image.height();
    auto pickX = [&](int x) { return static_cast<int>(x * srcW / width); };
    auto pickY = [&](int y) { return static_cast<int>(y * srcH / height); };

    if (image.depth() % 8 != 0) {
        // 1-bit formats: rare, so pixel by pixel on the colour-table index.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                out.setPixel(x, y, static_cast<uint>(image.pixelIndex(pickX(x), pickY(y))));
        return out;
    }

    const int bpp = image.depth() / 8;
    for (int y = 0; y < height; ++y) {
        const uchar* s = image.constScanLine(pickY(y));
        uchar* d = out.scanLine(y);
        if (bpp == 1) {
            for (int x = 0; x < width; ++x)
                d[x] = s[pickX(x)];
        } else {
            for (int x = 0; x < width; ++x)
                std::memcpy(d + x * bpp, s + pickX(x) * bpp, static_cast<std::size_t>(bpp));
        }
    }
    return out;
}

void combine(QImage& dst, double left, double top, double width, double height, const QImage& src,
             double srcLeft, double srcTop, CombineMode mode)
{
    if (dst.isNull() || src.isNull())
        return;
    if (mode != CombineMode::And && mode != CombineMode::Or && mode != CombineMode::Add &&
        mode != CombineMode::Copy)
        return;
    if (dst.format() != QImage::Format_RGB888)
        dst = dst.convertToFormat(QImage::Format_RGB888);
    for (double v : {left, top, width, height, srcLeft, srcTop})
        if (!std::isfinite(v))
            return;

    std::int64_t dx = wholePixels(left), dy = wholePixels(top);
    std::int64_t w = wholePixels(width), h = wholePixels(height);
    std::int64_t sx = wholePixels(srcLeft), sy = wholePixels(srcTop);

    // Clip one axis against both bitmaps: start positions move together.
    auto clipAxis = [](std::int64_t& d, std::int64_t& s, std::int64_t& n, std::int64_t dstSize,
                       std::int64_t srcSize) {
        if (d < 0) {
            s -= d;
            n += d;
            d = 0;
        }
        if (s < 0) {
            d -= s;
            n += s;
            s = 0;
        }
        n = std::min({n, dstSize - d, srcSize - s});
        return n > 0;
    };
    if (!clipAxis(dx, sx, w, dst.width(), src.width()) || !clipAxis(dy, sy, h, dst.height(), src.height()))
        return;

    const QRect srcRect(static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w), static_cast<int>(h));
    QImage region; // the source part as 24-bit, when it can't be read in place
    const QImage* from = &src;
    if (src.format() != QImage::Format_RGB888 || &src == &dst) {
        region = src.copy(srcRect).convertToFormat(QImage::Format_RGB888);
        if (region.isNull())
            return;
        from = &region;
        sx = 0;
        sy = 0;
    }

    const int bytes = static_cast<int>(w) * 3;
    for (std::int64_t row = 0; row < h; ++row) {
        const uchar* s = from->constScanLine(static_cast<int>(sy + row)) + sx * 3;
        uchar* d = dst.scanLine(static_cast<int>(dy + row)) + dx * 3;
        combineRow(d, s, bytes, mode);
    }
}

ColorRef pixelAt(const QImage& image, int x, int y)
{
    if (!image.valid(x, y))
        return 0;
    if (isIndexed(image)) {
        const int index = image.pixelIndex(x, y);
        return index < image.colorCount() ? fromQRgb(image.color(index)) : 0;
    }
    return fromQRgb(image.pixel(x, y));
}

void setPixelAt(QImage& image, int x, int y, ColorRef colour)
{
    if (!image.valid(x, y))
        return;
    if (isIndexed(image))
        image.setPixel(x, y, static_cast<uint>(nearestTableIndex(image, colour)));
    else
        image.setPixelColor(x, y, QColor(redOf(colour), greenOf(colour), blueOf(colour)));
}

QImage FitToView(const QImage& source, QSize viewSize)
{
    return resizeNearest(source, viewSize.width(), viewSize.height());
}

} // namespace vantrel
