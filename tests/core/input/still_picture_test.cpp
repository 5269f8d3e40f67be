#include "core/input/media_file.h"

#include "support/frame_pattern.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace vantrel {
namespace {

const QSize PictureSize(96, 64);

struct PictureCase
{
    const char* name;
    const char* format; // Qt writer format
};

class StillPictureFormats : public testing::TestWithParam<PictureCase>
{
protected:
    QTemporaryDir dir_;
};

TEST_P(StillPictureFormats, LoadAsOneOpaque24BitPage)
{
    const QImage source = test::makeNumberedPicture(1234, PictureSize);
    const QString path = test::writePicture(dir_, GetParam().name, source, GetParam().format);
    ASSERT_FALSE(path.isEmpty());

    std::unique_ptr<MediaFile> picture;
    ASSERT_EQ(MediaFile::open(path, picture), MediaOk);
    EXPECT_EQ(picture->frameCount(), 1);
    EXPECT_EQ(picture->frameDelayMs(), 0);
    EXPECT_EQ(picture->frameSize(), PictureSize);

    for (const int page : {0, 1}) {
        QList<QImage> frames;
        ASSERT_EQ(picture->load(page, 10, frames), MediaOk) << "page " << page;
        ASSERT_EQ(frames.size(), 1);
        EXPECT_EQ(frames[0].format(), QImage::Format_RGB888);
        EXPECT_EQ(test::pictureNumber(frames[0]), 1234);
    }
    QList<QImage> kept{source};
    EXPECT_EQ(picture->load(2, 1, kept), MediaNoFrames);
    EXPECT_EQ(picture->load(1, 0, kept), MediaNoFrames);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].format(), QImage::Format_RGB888);
}

const PictureCase PictureCases[] = {
    {"picture.jpg", "jpeg"}, {"picture.JPG", "jpeg"},  {"picture.jpeg", "jpeg"}, {"picture.png", "png"},
    {"picture.Png", "png"},  {"picture.bmp", "bmp"},   {"picture.BMP", "bmp"},   {"picture.webp", "webp"},
    {"picture.tif", "tiff"}, {"picture.TIFF", "tiff"},
};

INSTANTIATE_TEST_SUITE_P(Extensions, StillPictureFormats, testing::ValuesIn(PictureCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             name[name.find('.')] = '_';
                             return name;
                         });

QImage loadOnly(const QString& path)
{
    QList<QImage> frames;
    if (LoadPages(path, 1, 1, frames) != MediaOk || frames.size() != 1)
        return {};
    return frames[0];
}

TEST(StillPicture, TransparencyBecomesBlackInEveryPixelLayout)
{
    QTemporaryDir dir;
    // Left column fully transparent (its colour must not show), middle half-covered white,
    // right opaque blue.
    QImage argb(3, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(255, 0, 0, 0));
    argb.setPixel(1, 0, qRgba(255, 255, 255, 128));
    argb.setPixel(2, 0, qRgba(0, 0, 255, 255));
    const QImage truecolour = loadOnly(test::writePicture(dir, "alpha.png", argb));
    ASSERT_EQ(truecolour.format(), QImage::Format_RGB888);
    EXPECT_EQ(truecolour.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_NEAR(qRed(truecolour.pixel(1, 0)), 128, 1);
    EXPECT_EQ(qRed(truecolour.pixel(1, 0)), qBlue(truecolour.pixel(1, 0)));
    EXPECT_EQ(truecolour.pixel(2, 0), qRgb(0, 0, 255));

    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 255, 0, 0), qRgb(255, 255, 0)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    const QImage palette = loadOnly(test::writePicture(dir, "palette.png", indexed));
    ASSERT_EQ(palette.format(), QImage::Format_RGB888);
    EXPECT_EQ(palette.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(palette.pixel(1, 0), qRgb(255, 255, 0));
}

TEST(StillPicture, GreyAndMonochromePicturesComeOutAs24Bit)
{
    QTemporaryDir dir;
    QImage grey(2, 1, QImage::Format_Grayscale8);
    grey.setPixel(0, 0, qRgb(40, 40, 40));
    grey.setPixel(1, 0, qRgb(200, 200, 200));
    QImage mono(2, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.setPixel(0, 0, 1);
    mono.setPixel(1, 0, 0);

    const QImage greyPng = loadOnly(test::writePicture(dir, "grey.png", grey));
    ASSERT_EQ(greyPng.format(), QImage::Format_RGB888);
    EXPECT_EQ(greyPng.pixel(1, 0), qRgb(200, 200, 200));
    const QImage monoBmp = loadOnly(test::writePicture(dir, "mono.bmp", mono));
    ASSERT_EQ(monoBmp.format(), QImage::Format_RGB888);
    EXPECT_EQ(monoBmp.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(monoBmp.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(StillPicture, ContentDecidesAmongJpegPngAndBmpAndTheExtensionForTheOthers)
{
    QTemporaryDir dir;
    const QImage source = test::makeNumberedPicture(99, PictureSize);
    EXPECT_EQ(test::pictureNumber(loadOnly(test::writePicture(dir, "png-inside.jpg", source, "png"))), 99);

    // Other decoders are reached only through their own extension.
    for (const auto& [name, format] :
         {std::pair("ppm-inside.png", "ppm"), std::pair("tiff-inside.png", "tiff"),
          std::pair("png-inside.webp", "png"), std::pair("webp-inside.tif", "webp")}) {
        const QString path = test::writePicture(dir, name, source, format);
        ASSERT_FALSE(path.isEmpty()) << name;
        std::unique_ptr<MediaFile> picture;
        EXPECT_EQ(MediaFile::open(path, picture), MediaUnsupported) << name;
    }
}

struct Announced
{
    quint32 width, height;
    int expected;
};

void PrintTo(const Announced& size, std::ostream* out)
{
    *out << size.width << " x " << size.height;
}

// Quadrants red, blue / green, white as stored; each orientation tag turns them upright.
TEST(StillPicture, OrientationTagTurnsThePageUpright)
{
    QImage stored(64, 32, QImage::Format_RGB888);
    const QRgb r = qRgb(255, 0, 0), b = qRgb(0, 0, 255), g = qRgb(0, 255, 0), w = qRgb(255, 255, 255);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            stored.setPixel(x, y, y < 16 ? (x < 32 ? r : b) : (x < 32 ? g : w));
    const QList<QRgb> upright[] = {
        {},           {r, b, g, w}, {b, r, w, g}, {w, g, b, r},
        {g, w, r, b},                                           // 1..4: as stored, mirrored, turned
        {r, g, b, w}, {g, r, w, b}, {w, b, g, r}, {b, w, r, g}, // 5..8: on their side
    };
    QTemporaryDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(orientation));
        ASSERT_TRUE(test::writeBytes(path, test::jpegWithOrientation(stored, orientation)));
        std::unique_ptr<MediaFile> picture;
        ASSERT_EQ(MediaFile::open(path, picture), MediaOk);
        const QSize size = orientation >= 5 ? QSize(32, 64) : QSize(64, 32);
        EXPECT_EQ(picture->frameSize(), size) << orientation;
        QList<QImage> frames;
        ASSERT_EQ(picture->load(1, 1, frames), MediaOk);
        ASSERT_EQ(frames[0].size(), size);
        const int qx = size.width() / 4, qy = size.height() / 4;
        QList<QRgb> quadrants;
        for (const QPoint at :
             {QPoint(qx, qy), QPoint(3 * qx, qy), QPoint(qx, 3 * qy), QPoint(3 * qx, 3 * qy)}) {
            const QColor c = frames[0].pixelColor(at);
            quadrants << qRgb(c.red() > 128 ? 255 : 0, c.green() > 128 ? 255 : 0, c.blue() > 128 ? 255 : 0);
        }
        EXPECT_EQ(quadrants, upright[orientation]) << orientation;
    }
}

// What phones save and the web serves, through libheif.
TEST(StillPicture, HeicAndAvifPhotos)
{
    QImage stored(64, 32, QImage::Format_RGB888);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            stored.setPixel(x, y, x < 32 ? qRgb(220, 30, 30) : qRgb(30, 30, 220));
    QTemporaryDir dir;
    for (const auto& [name, av1] : {std::pair("photo.heic", false), std::pair("photo.AVIF", true)}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(test::writeBytes(path, test::heifPicture(stored, av1))) << name;
        std::unique_ptr<MediaFile> picture;
        ASSERT_EQ(MediaFile::open(path, picture), MediaOk) << name;
        EXPECT_EQ(picture->frameSize(), QSize(64, 32));
        QList<QImage> frames;
        ASSERT_EQ(picture->load(1, 1, frames), MediaOk) << name;
        ASSERT_EQ(frames[0].format(), QImage::Format_RGB888);
        const QColor left = frames[0].pixelColor(10, 16), right = frames[0].pixelColor(50, 16);
        EXPECT_NEAR(left.red(), 220, 12) << name;
        EXPECT_NEAR(right.blue(), 220, 12) << name;
    }
    // Only libheif reads them, and it reads nothing else.
    const QString misnamed = test::writePicture(dir, "png-inside.heic", stored, "png");
    std::unique_ptr<MediaFile> picture;
    EXPECT_EQ(MediaFile::open(misnamed, picture), MediaUnsupported);
}

// A 24-megapixel photo is more than the memory limit decodes whole: the JPEG decoder reads it
// at half size.
TEST(StillPicture, PhotoBeyondTheMemoryLimitIsDecodedReduced)
{
    QImage photo(6000, 4000, QImage::Format_Grayscale8);
    for (int y = 0; y < photo.height(); ++y)
        std::fill_n(photo.scanLine(y), photo.width(), uchar(y < 2000 ? 40 : 200));
    QTemporaryDir dir;
    const QString path = test::writePicture(dir, "camera.jpg", photo);
    photo = QImage();
    std::unique_ptr<MediaFile> picture;
    ASSERT_EQ(MediaFile::open(path, picture), MediaOk);
    EXPECT_EQ(picture->frameSize(), QSize(3000, 2000));
    EXPECT_EQ(picture->fullSize(), QSize(6000, 4000));
    QList<QImage> frames;
    ASSERT_EQ(picture->load(1, 1, frames), MediaOk);
    ASSERT_EQ(frames[0].size(), QSize(3000, 2000));
    EXPECT_NEAR(qGray(frames[0].pixel(1500, 500)), 40, 3);
    EXPECT_NEAR(qGray(frames[0].pixel(1500, 1500)), 200, 3);
}

class PictureSizeLimits : public testing::TestWithParam<Announced>
{
};

// The header is all these files have, so any attempt to allocate the picture would show as a
// decode error rather than the refusal.
TEST_P(PictureSizeLimits, AreCheckedAgainstTheHeaderBeforeDecoding)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("announced.png");
    ASSERT_TRUE(test::writeBytes(path, test::pngAnnouncing(GetParam().width, GetParam().height)));
    std::unique_ptr<MediaFile> picture;
    int totalPages = 0;
    EXPECT_EQ(GetFileInfo(path, totalPages), GetParam().expected);
    ASSERT_EQ(MediaFile::open(path, picture), GetParam().expected);
    if (picture) {
        EXPECT_EQ(picture->frameSize(), QSize(int(GetParam().width), int(GetParam().height)));
        QList<QImage> frames;
        EXPECT_EQ(picture->load(1, 1, frames), MediaCorrupt); // the pixel data is missing
    }
}

INSTANTIATE_TEST_SUITE_P(Announced, PictureSizeLimits,
                         testing::Values(Announced{100000, 100000, MediaTooLarge},
                                         Announced{MaxPictureSide + 1, 1, MediaTooLarge},
                                         Announced{1, MaxPictureSide + 1, MediaTooLarge},
                                         Announced{MaxPictureSide, 1365, MediaOk}, // 67,092,480 bytes
                                         Announced{MaxPictureSide, 1366, MediaTooLarge},
                                         Announced{5000, 5000, MediaTooLarge}));

} // namespace
} // namespace vantrel
