#include "core/input/video_file.h"

#include "support/avi_writer.h"
#include "support/frame_pattern.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>

#include <functional>
#include <numeric>

namespace vantrel {
namespace {

using test::AviCodec;
using test::AviLayout;

QList<int> pages(int first, int last)
{
    QList<int> numbers(last - first + 1);
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

struct VideoCase
{
    const char* name;
    AviLayout video;
    int expectedDelayMs;
};

void PrintTo(const VideoCase& video, std::ostream* out)
{
    *out << video.name;
}

class AviVideoTest : public testing::TestWithParam<VideoCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("video.avi");
        ASSERT_TRUE(test::writeAvi(path_, GetParam().video));
        ASSERT_EQ(MediaFile::open(path_, video_), MediaOk);
    }

    // Frame numbers of a block, or the result code when the load failed.
    QList<int> loadNumbers(int firstPage, int count)
    {
        QList<QImage> frames;
        if (const int rc = video_->load(firstPage, count, frames))
            return {rc};
        for (const QImage& frame : frames) {
            EXPECT_EQ(frame.format(), QImage::Format_RGB888);
            EXPECT_EQ(frame.size(), GetParam().video.size);
        }
        return test::pictureNumbers(frames);
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<MediaFile> video_;
};

TEST_P(AviVideoTest, ReportsFrameCountSizeAndDelayFromTheHeader)
{
    const AviLayout& video = GetParam().video;
    EXPECT_EQ(video_->frameCount(), video.frames);
    EXPECT_EQ(video_->frameSize(), video.size);
    EXPECT_EQ(video_->frameDelayMs(), GetParam().expectedDelayMs);

    int totalPages = 0;
    EXPECT_EQ(GetFileInfo(path_, totalPages), MediaOk);
    EXPECT_EQ(totalPages, video.frames);
}

TEST_P(AviVideoTest, BlocksFollowOnSeekBackAndSeekIntoTheMiddleOfAKeyFrameInterval)
{
    EXPECT_EQ(loadNumbers(0, 1), pages(1, 1)); // the probe of the first frame
    EXPECT_EQ(loadNumbers(1, 10), pages(1, 10));
    EXPECT_EQ(loadNumbers(11, 10), pages(11, 20));
    EXPECT_EQ(loadNumbers(5, 4), pages(5, 8));
    EXPECT_EQ(loadNumbers(23, 3), pages(23, 25));
    EXPECT_EQ(loadNumbers(27, 2), pages(27, 28)); // ahead within the same key frame interval
    EXPECT_EQ(loadNumbers(2, 1), pages(2, 2));
}

TEST_P(AviVideoTest, CountStopsAtTheLastFrameAndLoadsGoOnAfterTheEnd)
{
    const int last = GetParam().video.frames;
    EXPECT_EQ(loadNumbers(last - 3, 10), pages(last - 3, last));
    EXPECT_EQ(loadNumbers(last, 10), pages(last, last));
    EXPECT_EQ(loadNumbers(1, 3), pages(1, 3));
    EXPECT_EQ(loadNumbers(last - 1, 1), pages(last - 1, last - 1));
}

TEST_P(AviVideoTest, PagesOutsideTheVideoLeaveTheFramesAlone)
{
    QList<QImage> frames{QImage(1, 1, QImage::Format_RGB888)};
    const int last = GetParam().video.frames;
    EXPECT_EQ(video_->load(last + 1, 1, frames), MediaNoFrames);
    EXPECT_EQ(video_->load(-1, 1, frames), MediaNoFrames);
    EXPECT_EQ(video_->load(1, 0, frames), MediaNoFrames);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].size(), QSize(1, 1));
}

const VideoCase VideoCases[] = {
    {.name = "Mjpeg15fps",
     .video =
         {.size = QSize(64, 64), .frames = 30, .codec = AviCodec::Mjpeg, .fps = 15, .keyFrameInterval = 8},
     .expectedDelayMs = 66},
    {.name = "MjpegOddSize",
     .video =
         {.size = QSize(50, 30), .frames = 30, .codec = AviCodec::Mjpeg, .fps = 24, .keyFrameInterval = 5},
     .expectedDelayMs = 41},
    {.name = "RawBgr24",
     .video =
         {.size = QSize(64, 48), .frames = 30, .codec = AviCodec::RawBgr24, .fps = 10, .keyFrameInterval = 1},
     .expectedDelayMs = 100},
    {.name = "RawBgr24SparseKeyFrames",
     .video =
         {.size = QSize(64, 48), .frames = 30, .codec = AviCodec::RawBgr24, .fps = 30, .keyFrameInterval = 7},
     .expectedDelayMs = 33},
    {.name = "Mpeg4InterFrames",
     .video =
         {.size = QSize(64, 64), .frames = 30, .codec = AviCodec::Mpeg4, .fps = 25, .keyFrameInterval = 8},
     .expectedDelayMs = 40},
};

INSTANTIATE_TEST_SUITE_P(Codecs, AviVideoTest, testing::ValuesIn(VideoCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The stream format chunk's BITMAPINFOHEADER: width and height follow its 4-byte size.
QByteArray withAnnouncedSize(QByteArray avi, qint32 width, qint32 height)
{
    const qsizetype format = avi.indexOf("strf");
    if (format < 0)
        return {};
    qToLittleEndian(width, avi.data() + format + 12);
    qToLittleEndian(height, avi.data() + format + 16);
    return avi;
}

TEST(AviVideoLimits, StreamsAnnouncingHugeFramesAreRefusedBeforeDecoding)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("small.avi");
    ASSERT_TRUE(test::writeAvi(
        source,
        {.size = QSize(64, 64), .frames = 3, .codec = AviCodec::Mjpeg, .fps = 10, .keyFrameInterval = 1}));
    const QByteArray avi = test::readBytes(source);

    struct Announced
    {
        qint32 width, height;
    };
    for (const Announced size : {Announced{20000, 16}, Announced{16, 20000}, Announced{5000, 5000}}) {
        const QString path = dir.filePath("huge.avi");
        ASSERT_TRUE(test::writeBytes(path, withAnnouncedSize(avi, size.width, size.height)));
        std::unique_ptr<MediaFile> video;
        EXPECT_EQ(MediaFile::open(path, video), MediaTooLarge) << size.width << " x " << size.height;
    }
}

QByteArray pngBytes(const QImage& picture)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "png") ? buffer.data() : QByteArray();
}

// The stream header passes, so only the decoder's own pixel limit stops the frame, which then
// shows black.
TEST(AviVideoLimits, FramesAnnouncingMorePixelsThanTheLimitAreDamaged)
{
    QImage huge(MaxPictureSide, 1366, QImage::Format_Mono); // 1 bit a pixel keeps it cheap
    huge.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    huge.fill(1);
    const QSize size(32, 32);
    const QList<QByteArray> pngs{pngBytes(test::makeNumberedPicture(1, size)), pngBytes(huge),
                                 pngBytes(test::makeNumberedPicture(3, size))};
    QTemporaryDir dir;
    const QString path = dir.filePath("huge-frame.avi");
    ASSERT_TRUE(test::writePngAvi(path, size, pngs));
    std::unique_ptr<MediaFile> video;
    ASSERT_EQ(MediaFile::open(path, video), MediaOk);
    QList<QImage> frames;
    ASSERT_EQ(video->load(1, 3, frames), MediaOk);
    ASSERT_EQ(frames.size(), 3);
    QImage black(size, QImage::Format_RGB888);
    black.fill(Qt::black);
    EXPECT_EQ(test::pictureNumber(frames[0]), 1);
    EXPECT_EQ(frames[1], black);
    EXPECT_EQ(test::pictureNumber(frames[2]), 3);
}

// The clock jumps instead of any test waiting for the deadline.
TEST(AviVideoLimits, OpeningAndEachFrameStopAtTheDeadline)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.avi");
    ASSERT_TRUE(test::writeAvi(
        path,
        {.size = QSize(32, 32), .frames = 10, .codec = AviCodec::Mjpeg, .fps = 10, .keyFrameInterval = 1}));
    const QByteArray bytes = test::readBytes(path);
    using Opener = std::function<int(std::unique_ptr<MediaFile>&, DeadlineClock)>;
    const Opener openers[] = {[&](auto& out, DeadlineClock clock) {
                                  return VideoFile::open(path, VideoContainer::Avi, out, std::move(clock));
                              },
                              [&](auto& out, DeadlineClock clock) {
                                  return VideoFile::openBytes(bytes, VideoContainer::Avi, out,
                                                              std::move(clock));
                              }};
    for (const Opener& open : openers) {
        std::chrono::steady_clock::time_point now;
        std::chrono::steady_clock::duration step{};
        const DeadlineClock clock = [&] { return now += step; };
        std::unique_ptr<MediaFile> video;
        ASSERT_EQ(open(video, clock), MediaOk);
        QList<QImage> frames;
        ASSERT_EQ(video->load(1, 2, frames), MediaOk);
        EXPECT_EQ(test::pictureNumbers(frames), pages(1, 2));

        step = DecodeDeadline::Timeout + std::chrono::seconds(1); // each reading overruns the last
        EXPECT_EQ(video->load(5, 2, frames), MediaTimeout);
        EXPECT_EQ(test::pictureNumbers(frames), pages(1, 2));
        EXPECT_EQ(open(video, clock), MediaTimeout);
    }
}

TEST(AviVideoFiles, DropFramesRepeatTheFrameBeforeThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("dropped.avi");
    ASSERT_TRUE(test::writeAvi(path, {.size = QSize(32, 32),
                                      .frames = 12,
                                      .codec = AviCodec::Mjpeg,
                                      .fps = 10,
                                      .keyFrameInterval = 4,
                                      .droppedFrames = {5, 6, 10}}));
    std::unique_ptr<MediaFile> video;
    ASSERT_EQ(MediaFile::open(path, video), MediaOk);
    EXPECT_EQ(video->frameCount(), 12);

    QList<QImage> frames;
    ASSERT_EQ(video->load(1, 12, frames), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{1, 2, 3, 4, 4, 4, 7, 8, 9, 9, 11, 12}));
    ASSERT_EQ(video->load(6, 2, frames), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{4, 7}));
    ASSERT_EQ(video->load(10, 1, frames), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), (QList<int>{9}));
}

// Frame memory is reused once the caller lets go of it, and only then.
TEST(AviVideoFiles, FramesTheCallerHoldsSurviveLaterLoadsAndTheFileItself)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("held.avi");
    ASSERT_TRUE(test::writeAvi(
        path,
        {.size = QSize(32, 32), .frames = 20, .codec = AviCodec::Mjpeg, .fps = 10, .keyFrameInterval = 1}));
    std::unique_ptr<MediaFile> video;
    ASSERT_EQ(MediaFile::open(path, video), MediaOk);

    QList<QImage> held, dropped, later;
    ASSERT_EQ(video->load(1, 5, held), MediaOk);
    ASSERT_EQ(video->load(6, 5, dropped), MediaOk);
    dropped.clear();
    ASSERT_EQ(video->load(11, 5, later), MediaOk);
    ASSERT_EQ(video->load(16, 5, later), MediaOk);
    video.reset();
    EXPECT_EQ(test::pictureNumbers(held), pages(1, 5));
    EXPECT_EQ(test::pictureNumbers(later), pages(16, 20));
}

TEST(AviVideoFiles, OneShotLoadGivesFramesAndDelayAndTheExtensionMayBeUpperCase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("CLIP.AVI");
    ASSERT_TRUE(test::writeAvi(
        path,
        {.size = QSize(32, 32), .frames = 12, .codec = AviCodec::Mjpeg, .fps = 20, .keyFrameInterval = 4}));
    QList<QImage> frames;
    int delayMs = 0;
    ASSERT_EQ(LoadPages(path, 6, 3, frames, &delayMs), MediaOk);
    EXPECT_EQ(test::pictureNumbers(frames), pages(6, 8));
    EXPECT_EQ(delayMs, 50);
}

} // namespace
} // namespace vantrel
