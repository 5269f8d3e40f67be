#include "core/input/cut_geometry.h"
#include "core/input/input_frame_list.h"
#include "core/input/video_file.h"

#include "support/avi_writer.h"
#include "support/frame_pattern.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <numeric>

namespace vantrel {
namespace {

using test::AviCodec;

QList<int> pages(int first, int last)
{
    QList<int> numbers(last - first + 1);
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

struct ContainerCase
{
    const char* file;
    AviCodec codec;
    int fps;
    int expectedDelayMs;
};

void PrintTo(const ContainerCase& video, std::ostream* out)
{
    *out << video.file;
}

class VideoContainers : public testing::TestWithParam<ContainerCase>
{
};

// Quadrants red, blue / green, white as stored; the display matrix and the pixel shape give the
// frames as a player shows them.
TEST(VideoShape, FramesComeUprightAtTheirDisplaySize)
{
    const QRgb r = qRgb(255, 0, 0), b = qRgb(0, 0, 255), g = qRgb(0, 255, 0), w = qRgb(255, 255, 255);
    const auto quadrants = [=](int) {
        QImage picture(64, 32, QImage::Format_RGB888);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x)
                picture.setPixel(x, y, y < 16 ? (x < 32 ? r : b) : (x < 32 ? g : w));
        return picture;
    };
    struct Case
    {
        int rotation; // clockwise, as the matrix is set
        bool mirrored;
        int aspectNum, aspectDen;
        QSize size;
        QList<QRgb> upright; // top-left, top-right, bottom-left, bottom-right
    } cases[] = {
        {90, false, 0, 0, {32, 64}, {g, r, w, b}}, // a phone held upright: a quarter turn clockwise
        {-90, false, 0, 0, {32, 64}, {b, w, r, g}}, {180, false, 0, 0, {64, 32}, {w, g, b, r}},
        {0, true, 0, 0, {64, 32}, {b, r, w, g}},    {0, false, 2, 1, {128, 32}, {r, b, g, w}}, // wide pixels
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("turned%1.mp4").arg(c.rotation));
        ASSERT_TRUE(test::writeVideo(path, {.size = {64, 32},
                                            .frames = 2,
                                            .codec = AviCodec::H264,
                                            .picture = quadrants,
                                            .displayRotation = c.rotation,
                                            .displayMirrored = c.mirrored,
                                            .sampleAspectNum = c.aspectNum,
                                            .sampleAspectDen = c.aspectDen}));
        std::unique_ptr<MediaFile> video;
        ASSERT_EQ(MediaFile::open(path, video), MediaOk);
        EXPECT_EQ(video->frameSize(), c.size) << c.rotation;
        QList<QImage> frames;
        ASSERT_EQ(video->load(1, 1, frames), MediaOk);
        ASSERT_EQ(frames[0].size(), c.size);
        const int qx = c.size.width() / 4, qy = c.size.height() / 4;
        const auto seen = [](const QImage& picture, const QList<QPoint>& points) {
            QList<QRgb> colours;
            for (const QPoint at : points) {
                const QColor colour = picture.pixelColor(at);
                colours << qRgb(colour.red() > 128 ? 255 : 0, colour.green() > 128 ? 255 : 0,
                                colour.blue() > 128 ? 255 : 0);
            }
            return colours;
        };
        EXPECT_EQ(seen(frames[0], {{qx, qy}, {3 * qx, qy}, {qx, 3 * qy}, {3 * qx, 3 * qy}}), c.upright)
            << c.rotation << (c.mirrored ? " mirrored" : "");
        // Sampled from the frame as decoded, the same quadrants.
        QList<InputPicture> pictures;
        ASSERT_EQ(video->loadPictures(1, 1, pictures), MediaOk);
        const std::int64_t columns[] = {qx, 3 * qx}, rows[] = {qy, 3 * qy};
        EXPECT_EQ(seen(pictures[0].sample(columns, rows), {{0, 0}, {1, 0}, {0, 1}, {1, 1}}), c.upright)
            << c.rotation << (c.mirrored ? " mirrored" : "");
    }
}

// Frame and slice threads give the frames of one thread, bit for bit, in order and after seeks.
TEST(VideoThreads, ManyThreadsDecodeTheFramesOfOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("phone.mp4");
    ASSERT_TRUE(test::writeVideo(
        path, {.size = {96, 64}, .frames = 40, .codec = AviCodec::H264, .keyFrameInterval = 12}));
    auto framesOf = [&](int threads) {
        std::unique_ptr<MediaFile> video;
        EXPECT_EQ(VideoFile::open(path, VideoContainer::Mp4, video, {}, {}, threads), MediaOk);
        QList<QImage> all;
        for (const int first : {1, 11, 31, 21, 36}) { // on, ahead, back
            QList<QImage> block;
            EXPECT_EQ(video->load(first, 5, block), MediaOk);
            all += block;
        }
        return all;
    };
    const QList<QImage> one = framesOf(1);
    ASSERT_EQ(one.size(), 25);
    EXPECT_TRUE(one == framesOf(4));
    EXPECT_EQ(test::pictureNumber(one[5]), 11);
}

// A cut reads the dots it needs from the frame as decoded: the colours the whole frame has there.
TEST(VideoCut, DotsHaveTheColoursOfTheWholeFrame)
{
    QTemporaryDir dir;
    for (const auto& [name, codec] :
         {std::pair{"h264.mp4", AviCodec::H264}, std::pair{"mjpeg.avi", AviCodec::Mjpeg},
          std::pair{"hevc.mp4", AviCodec::Hevc}}) {
        const QString path = dir.filePath(name);
        const auto colourful = [](int) {
            QImage picture(96, 64, QImage::Format_RGB888);
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 96; ++x)
                    picture.setPixel(x, y,
                                     qRgb((x * 37 + y * 11) & 255, (x * 5 + y * 29) & 255, (x * y) & 255));
            return picture;
        };
        ASSERT_TRUE(
            test::writeVideo(path, {.size = {96, 64}, .frames = 3, .codec = codec, .picture = colourful}));
        TInputFrameList list;
        ASSERT_EQ(list.AddAfter(path), MediaOk);
        InputPicture decoded;
        ASSERT_EQ(list.SelectFrame(1, decoded), MediaOk);
        const QImage whole = decoded.toImage();
        const TCutArea area{5, 3, 91, 60, 2};
        const QImage cut = CutArea(decoded, area, 100, {40, 20});
        int worst = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 40; ++x) {
                const QColor dot = cut.pixelColor(x, y);
                const QColor pixel = whole.pixelColor(5 + x * 86 / 40, 3 + y * 57 / 20);
                worst =
                    std::max({worst, std::abs(dot.red() - pixel.red()), std::abs(dot.green() - pixel.green()),
                              std::abs(dot.blue() - pixel.blue())});
            }
        }
        EXPECT_EQ(worst, 0) << name;
    }
}

// Key frames every 8 frames: block 5-8 follows on, 22-25 seeks ahead, 10-11 seeks back.
TEST_P(VideoContainers, EveryFrameDecodesFromTheFileAndFromMemory)
{
    const ContainerCase& video = GetParam();
    const QSize size(48, 32);
    constexpr int Frames = 30;
    QTemporaryDir dir;
    const QString path = dir.filePath(video.file);
    ASSERT_TRUE(test::writeVideo(
        path,
        {.size = size, .frames = Frames, .codec = video.codec, .fps = video.fps, .keyFrameInterval = 8}));

    const auto container = videoContainerOf(QFileInfo(path).suffix().toLower());
    ASSERT_TRUE(container);
    std::unique_ptr<MediaFile> fromFile, fromMemory;
    ASSERT_EQ(MediaFile::open(path, fromFile), MediaOk);
    ASSERT_EQ(VideoFile::openBytes(test::readBytes(path), *container, fromMemory), MediaOk);
    for (MediaFile* file : {fromFile.get(), fromMemory.get()}) {
        EXPECT_EQ(file->frameCount(), Frames);
        EXPECT_EQ(file->frameSize(), size);
        EXPECT_EQ(file->frameDelayMs(), video.expectedDelayMs);
        struct Block
        {
            int first, count;
        };
        for (const Block block :
             {Block{1, 4}, Block{5, 4}, Block{22, 4}, Block{10, 2}, Block{1, Frames + 5}}) {
            QList<QImage> frames;
            ASSERT_EQ(file->load(block.first, block.count, frames), MediaOk);
            EXPECT_EQ(test::pictureNumbers(frames),
                      pages(block.first, std::min(block.first + block.count - 1, Frames)))
                << "from page " << block.first;
            EXPECT_EQ(frames.value(0).size(), size);
        }
    }
}

// H264 with B-frames hands frames out of order; the MOV's MPEG-4 Visual keeps the size out of
// the header; a GIF's delay is the mean of its frames' (1/15 s is written as 7, 6, 7 hundredths).
const ContainerCase ContainerCases[] = {
    {.file = "clip.mp4", .codec = AviCodec::H264, .fps = 25, .expectedDelayMs = 40},
    {.file = "CLIP.MOV", .codec = AviCodec::Mpeg4, .fps = 25, .expectedDelayMs = 40},
    {.file = "clip.m4v", .codec = AviCodec::Mpeg4, .fps = 10, .expectedDelayMs = 100},
    {.file = "clip.mkv", .codec = AviCodec::H264, .fps = 24, .expectedDelayMs = 41},
    {.file = "clip.webm", .codec = AviCodec::Vp8, .fps = 10, .expectedDelayMs = 100},
    {.file = "clip.gif", .codec = AviCodec::Gif, .fps = 15, .expectedDelayMs = 66},
};

INSTANTIATE_TEST_SUITE_P(Files, VideoContainers, testing::ValuesIn(ContainerCases), [](const auto& info) {
    return QFileInfo(info.param.file).suffix().toLower().toStdString();
});

// Playlists and concatenation scripts, under their own names or a video's, open nothing: not the
// local file they name, not a network address, and an AVI named .mp4 is not read as an AVI.
TEST(VideoContainerLimits, OnlyTheNamedContainerIsReadAndNothingElseIsOpened)
{
    QTemporaryDir dir;
    const QString real = dir.filePath("real.avi");
    ASSERT_TRUE(test::writeAvi(real, {.size = QSize(32, 32), .frames = 5}));
    std::unique_ptr<MediaFile> control;
    ASSERT_EQ(MediaFile::open(real, control), MediaOk);

    const QByteArray concat = "ffconcat version 1.0\nfile 'real.avi'\n";
    const QByteArray remoteConcat = "ffconcat version 1.0\nfile 'http://127.0.0.1:9/real.avi'\n";
    const QByteArray playlist = "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nreal.avi\n#EXT-X-ENDLIST\n";
    const QByteArray remotePlaylist =
        "#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1,\nhttp://127.0.0.1:9/real.avi\n#EXT-X-ENDLIST\n";
    struct Refused
    {
        const char* name;
        QByteArray bytes;
    };
    const Refused files[] = {
        {"list.m3u8", playlist},          {"list.ffconcat", concat},      {"concat.mp4", concat},
        {"remote.mov", remoteConcat},     {"concat.mkv", concat},         {"playlist.webm", playlist},
        {"playlist.gif", remotePlaylist}, {"remote.mp4", remotePlaylist}, {"avi.mp4", test::readBytes(real)},
    };
    for (const Refused& file : files) {
        const QString path = dir.filePath(file.name);
        ASSERT_TRUE(test::writeBytes(path, file.bytes));
        std::unique_ptr<MediaFile> video;
        EXPECT_NE(MediaFile::open(path, video), MediaOk) << file.name;
        EXPECT_FALSE(video) << file.name;
        if (const auto container = videoContainerOf(QFileInfo(path).suffix())) {
            EXPECT_NE(VideoFile::openBytes(file.bytes, *container, video), MediaOk) << file.name;
            EXPECT_FALSE(video) << file.name;
        }
    }
}

} // namespace
} // namespace vantrel
