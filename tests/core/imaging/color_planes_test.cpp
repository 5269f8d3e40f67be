#include "core/imaging/color_planes.h"

#include "core/imaging/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vantrel {
namespace {

constexpr ColorModel Models[] = {ColorModel::Hsv, ColorModel::Hls};

// One pixel per colour, 256 to a row.
QImage paletteImage(const std::vector<ColorRef>& colours)
{
    QImage image = createBitmap(256, static_cast<int>((colours.size() + 255) / 256));
    for (std::size_t i = 0; i < colours.size(); ++i)
        setPixelAt(image, static_cast<int>(i % 256), static_cast<int>(i / 256), colours[i]);
    return image;
}

int planeAt(const ColorPlanes& planes, int plane, int x)
{
    return planes[static_cast<std::size_t>(plane)].constScanLine(0)[x];
}

TEST(ColorPlanes, PlaneValues)
{
    const QImage image =
        paletteImage({rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(10, 200, 60), rgb(90, 90, 90)});
    const ColorPlanes hsv = separateColorPlanes(image, ColorModel::Hsv);
    const ColorPlanes hls = separateColorPlanes(image, ColorModel::Hls);
    for (const ColorPlanes& planes : {hsv, hls})
        for (const QImage& plane : planes) {
            EXPECT_EQ(plane.format(), QImage::Format_Grayscale8);
            EXPECT_EQ(plane.size(), image.size());
        }
    const double hues[] = {0, 85.3, 170.7, 96.6}; // 0, 120, 240 and 135.8 degrees in 256 steps
    for (int x = 0; x < 4; ++x) {
        EXPECT_NEAR(planeAt(hsv, 0, x), hues[x], 1) << x;
        EXPECT_NEAR(planeAt(hls, 0, x), hues[x], 1) << x;
    }
    EXPECT_EQ(planeAt(hsv, 1, 3), 242); // S = 255 * chroma / max
    EXPECT_EQ(planeAt(hsv, 2, 3), 200); // V = max(R, G, B)
    EXPECT_EQ(planeAt(hls, 1, 3), 105); // L = (max + min) / 2
    EXPECT_EQ(planeAt(hls, 1, 0), 128); // 127.5 rounds up
    EXPECT_EQ(planeAt(hls, 2, 0), 255);
    // Grey: no hue, no saturation; value and lightness the grey.
    EXPECT_EQ(planeAt(hsv, 0, 4) + planeAt(hsv, 1, 4) + planeAt(hls, 0, 4) + planeAt(hls, 2, 4), 0);
    EXPECT_EQ(planeAt(hsv, 2, 4) + planeAt(hls, 1, 4), 180);
}

// 8 bits of hue can't hold every 24-bit hue (1530 fully saturated hues against 256 steps), so
// strongly saturated colours may come back 3 off; chroma up to 210 comes back within 2.
TEST(ColorPlanes, RoundTripOverManyColours)
{
    std::vector<ColorRef> colours;
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5)
                colours.push_back(rgb(r, g, b));
    for (int v = 0; v < 256; ++v) // greys and saturated ramps
        for (ColorRef c : {rgb(v, v, v), rgb(255, v, 0), rgb(0, 255, v), rgb(v, 0, 255), rgb(v, 255, 255),
                           rgb(v, 1, 0), rgb(3, v, 254)})
            colours.push_back(c);
    for (int i = 0; i < 512; ++i) // near-blacks and near-whites
        colours.push_back(i < 256 ? rgb(i & 7, (i >> 3) & 7, i >> 6)
                                  : rgb(255 - (i & 7), 250, 255 - (i >> 6 & 3)));
    const std::vector<ColorRef> primaries{rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(0, 0, 255),
                                          rgb(255, 255, 0), rgb(0, 255, 255), rgb(255, 0, 255),
                                          rgb(128, 0, 0),   rgb(0, 0, 1)};
    colours.insert(colours.begin(), primaries.begin(), primaries.end());

    const QImage image = paletteImage(colours);
    for (ColorModel model : Models) {
        const QImage back = mergeColorPlanes(separateColorPlanes(image, model), model);
        ASSERT_EQ(back.format(), QImage::Format_RGB888);
        ASSERT_EQ(back.size(), image.size());
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const ColorRef c = colours[i];
            const ColorRef got = pixelAt(back, static_cast<int>(i % 256), static_cast<int>(i / 256));
            const int chroma =
                std::max({redOf(c), greenOf(c), blueOf(c)}) - std::min({redOf(c), greenOf(c), blueOf(c)});
            const int allowed = chroma == 0 ? 0 : (chroma <= 210 || i < primaries.size() ? 2 : 3);
            const int error = std::max({std::abs(redOf(c) - redOf(got)), std::abs(greenOf(c) - greenOf(got)),
                                        std::abs(blueOf(c) - blueOf(got))});
            ASSERT_LE(error, allowed)
                << "model " << static_cast<int>(model) << " colour " << redOf(c) << "," << greenOf(c) << ","
                << blueOf(c) << " came back " << redOf(got) << "," << greenOf(got) << "," << blueOf(got);
        }
    }
}

TEST(ColorPlanes, InvalidInputs)
{
    for (ColorModel model : Models) {
        EXPECT_TRUE(separateColorPlanes(QImage(), model)[0].isNull());
        ColorPlanes planes = separateColorPlanes(createBitmap(4, 3), model);
        planes[1] = QImage(4, 2, QImage::Format_Grayscale8);
        EXPECT_TRUE(mergeColorPlanes(planes, model).isNull()) << "sizes differ";
        EXPECT_TRUE(mergeColorPlanes(ColorPlanes{}, model).isNull());
    }
    EXPECT_TRUE(separateColorPlanes(createBitmap(2, 2), static_cast<ColorModel>(1))[0].isNull());
}

} // namespace
} // namespace vantrel
