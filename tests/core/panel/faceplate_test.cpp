#include "core/panel/faceplate.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace vantrel {
namespace {

TEST(Faceplate, CentredWithHalvesRoundedDown)
{
    struct Case
    {
        QSize picture;
        QPoint origin;
    };
    const Case cases[] = {
        {{500, 300}, {-37, -31}}, {{501, 301}, {-38, -32}}, {{292, 214}, {67, 12}}, {{1, 1}, {212, 118}}};
    for (const Case& c : cases)
        EXPECT_EQ(centredOrigin({426, 238}, c.picture), c.origin) << c.picture.width();
}

TEST(Faceplate, LargePictureMovesTheRectanglesWithIt)
{
    QTemporaryDir dir;
    QImage picture(500, 300, QImage::Format_RGB888);
    picture.fill(Qt::black);
    // Brightness 100 is nearest to level 1 (85), 255 is level 3.
    picture.setPixelColor(10, 20, QColor(100, 30, 0));
    picture.setPixelColor(11, 20, QColor(0, 0, 255));
    const QString path = test::writePicture(dir, QStringLiteral("face.bmp"), picture);
    ASSERT_FALSE(path.isEmpty());

    Faceplate face;
    ASSERT_TRUE(buildFaceplate(path, {10, 20, 509, 29}, {45, 97, 247, 151}, {426, 238}, face));
    EXPECT_EQ(face.origin, QPoint(-37, -31));
    EXPECT_EQ(face.infoGeometry, QRect(-27, -11, 500, 10));
    EXPECT_EQ(face.viewGeometry, QRect(8, 66, 203, 55));
    ASSERT_EQ(face.info.format(), QImage::Format_Indexed8);
    EXPECT_EQ(face.info.pixelIndex(0, 0), 1);
    EXPECT_EQ(face.info.pixelIndex(1, 0), 3);
    EXPECT_EQ(face.info.pixelIndex(2, 0), 0);
    // Columns past the picture's right edge are black.
    EXPECT_EQ(face.info.pixelIndex(499, 0), 0);
}

TEST(Faceplate, NoPictureLeavesTheLayoutAlone)
{
    QTemporaryDir dir;
    const QString notPicture = dir.filePath(QStringLiteral("broken.bmp"));
    ASSERT_TRUE(test::writeBytes(notPicture, "BM not a bitmap"));
    Faceplate face;
    face.origin = {5, 5};
    EXPECT_FALSE(buildFaceplate(dir.filePath(QStringLiteral("Panel.bmp")), {}, {}, {426, 238}, face));
    EXPECT_FALSE(buildFaceplate(notPicture, {}, {}, {426, 238}, face));
    EXPECT_EQ(face.origin, QPoint(5, 5));
}

} // namespace
} // namespace vantrel
