#include "core/input/media_file.h"

#include "support/avi_writer.h"
#include "support/frame_pattern.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace vantrel {
namespace {

// The files the README walks through, as tools/make-samples draws them.
TEST(Samples, OpenWithTheirSizeFrameCountAndDelay)
{
    struct Sample
    {
        const char* name;
        QSize size;
        int frames;
        int delayMs;
    };
    const Sample samples[] = {
        {"landscape.jpg", QSize(640, 480), 1, 0},
        {"banner.png", QSize(480, 162), 1, 0},
        {"grey-ramp.png", QSize(160, 54), 1, 0},
        {"bouncing-ball.avi", QSize(320, 240), 40, 100},
    };
    const QDir folder(QStringLiteral(VANTREL_SOURCE_DIR "/samples"));
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.name);
        std::unique_ptr<MediaFile> media;
        ASSERT_EQ(MediaFile::open(folder.filePath(QString::fromLatin1(sample.name)), media), MediaOk);
        EXPECT_EQ(media->frameSize(), sample.size);
        EXPECT_EQ(media->frameCount(), sample.frames);
        EXPECT_EQ(media->frameDelayMs(), sample.delayMs);
        QList<QImage> frames;
        EXPECT_EQ(media->load(sample.frames, 1, frames), MediaOk);
    }
}

TEST(Samples, TheAviWriterStoresTheCallersPicturesInOrderAndRefusesWrongSizes)
{
    const QSize size(32, 32);
    QTemporaryDir dir;
    const QString path = dir.filePath("own.avi");
    test::AviLayout layout{.size = size, .frames = 3, .picture = [&](int frame) {
                               return test::makeNumberedPicture(frame * 7, size);
                           }};
    ASSERT_TRUE(test::writeAvi(path, layout));
    QList<QImage> frames;
    ASSERT_EQ(LoadPages(path, 1, 3, frames), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{7, 14, 21}));

    layout.picture = [](int) { return test::makeNumberedPicture(1, QSize(16, 16)); };
    EXPECT_FALSE(test::writeAvi(path, layout));
}

} // namespace
} // namespace vantrel
