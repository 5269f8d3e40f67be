#include "core/text/text_placement.h"

#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel {
namespace {

// Qt's own quarter turns (clockwise on screen, y pointing down) are exact pixel moves.
TEST(Rotate, QuarterTurnsMoveWholePixelsClockwise)
{
    QImage source(7, 4, QImage::Format_RGB888);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x * 30, y * 60, 100)); // every pixel different
    for (int degrees : {0, 90, 180, 270, -90, 450})
        EXPECT_EQ(
            Rotate(source, degrees, qRgb(1, 2, 3)),
            source.transformed(QTransform().rotate(degrees % 360)).convertToFormat(QImage::Format_RGB888))
            << degrees;
}

// A ray from the centre to the right edge, turned 30 degrees clockwise on screen, points down
// to the right: each of its pixels lies tan 30 as far below the centre as it lies right of it.
TEST(Rotate, OtherAnglesTurnClockwiseOnScreen)
{
    QImage source(41, 41, QImage::Format_RGB888);
    source.fill(Qt::black);
    for (int x = 20; x < 41; ++x)
        source.setPixel(x, 20, qRgb(255, 255, 255));
    const QImage turned = Rotate(source, 30, qRgb(0, 0, 0));
    const double cx = turned.width() / 2.0, cy = turned.height() / 2.0;
    int lit = 0, off = 0;
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x) {
            if (turned.pixel(x, y) != qRgb(255, 255, 255))
                continue;
            ++lit;
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            off += std::abs(dy - dx * std::tan(30 * 3.14159265358979 / 180)) > 1.0;
        }
    EXPECT_GE(lit, 18);
    EXPECT_EQ(off, 0);
}

TEST(PlaceableText, GrowsWithBlackAndWhiteCornersAndKeepsFourGreys)
{
    QImage image(20, 6, QImage::Format_RGB888), mask(20, 6, QImage::Format_RGB888);
    image.fill(qRgb(100, 100, 100)); // nearest level 1
    mask.fill(qRgb(200, 200, 200));  // nearest level 2
    const RenderedText t = placeableText({image, mask}, 45);
    const int side = static_cast<int>(std::ceil(26 * std::sqrt(0.5))); // (20 + 6) cos 45
    ASSERT_EQ(t.image.size(), QSize(side, side));
    ASSERT_EQ(t.mask.size(), t.image.size());
    const int c = side / 2;
    EXPECT_EQ((QList<QRgb>{t.image.pixel(0, 0), t.mask.pixel(0, 0), t.image.pixel(c, c), t.mask.pixel(c, c)}),
              (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(85, 85, 85), qRgb(170, 170, 170)}));
}

// White text with a black outline: per channel, the frame's level greys ANDed with the mask and
// ORed with the image, to the nearest level. The tint does not matter, the position is truncated
// toward zero and the text is clipped at the frame's edges.
TEST(ComposeText, MaskThenImageThenNearestLevel)
{
    const TextStyle style{.lines = {QStringLiteral("Hi"), QStringLiteral("\u5B57")},
                          .fontFamily = QStringLiteral("IPAGothic"),
                          .decoration = 1,
                          .textColour = 3,
                          .outlineColour = 0};
    const RenderedText text = placeableText(RenderText(style), 0);
    QImage frame(160, 54, QImage::Format_Indexed8);
    frame.setColorTable({qRgb(0, 0, 0), qRgb(60, 0, 0), qRgb(120, 0, 0), qRgb(180, 0, 0)});
    for (bool allLevel3 : {true, false}) {
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                frame.setPixel(x, y, allLevel3 ? 3 : (x * 7 + y) % 4);
        for (QPointF position : {QPointF(3.9, 2.2), QPointF(150.9, 40.2), QPointF(-5.5, -3.7)}) {
            const QImage composed = composeText(frame, text, position.x(), position.y());
            ASSERT_EQ(composed.size(), frame.size());
            EXPECT_EQ(composed.colorTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(85, 85, 85),
                                                          qRgb(170, 170, 170), qRgb(255, 255, 255)}));
            const QPoint origin(static_cast<int>(position.x()), static_cast<int>(position.y()));
            int borders = 0;
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x) {
                    const QPoint at = QPoint(x, y) - origin;
                    int expected = frame.pixelIndex(x, y);
                    if (text.mask.valid(at)) {
                        expected =
                            ((expected * 85 & qRed(text.mask.pixel(at))) | qRed(text.image.pixel(at))) / 85;
                        borders += expected == 0 && frame.pixelIndex(x, y) != 0;
                    }
                    ASSERT_EQ(composed.pixelIndex(x, y), expected) << x << "," << y;
                }
            EXPECT_GT(borders, 0);
        }
    }
}

} // namespace
} // namespace vantrel
