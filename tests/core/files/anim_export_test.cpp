#include "core/files/anim_export.h"
#include "core/files/anim_strip.h"
#include "core/files/anim_test_util.h"
#include "core/input/ffmpeg_handles.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <cmath>
#include <vector>

namespace vantrel {
namespace {

// What FFmpeg's own demuxer and decoder make of an exported file.
struct Decoded
{
    QList<QImage> frames; // Format_RGB888
    QList<int> delaysMs;
};

Decoded decode(const QString& path)
{
    Decoded decoded;
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return decoded;
    ffmpeg::InputContextPtr input(opened);
    if (avformat_find_stream_info(input.get(), nullptr) < 0 || input->nb_streams != 1)
        return decoded;
    const AVStream* stream = input->streams[0];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    ffmpeg::CodecContextPtr context(avcodec_alloc_context3(codec));
    ffmpeg::PacketPtr packet(av_packet_alloc());
    ffmpeg::FramePtr frame(av_frame_alloc());
    if (avcodec_parameters_to_context(context.get(), stream->codecpar) < 0 ||
        avcodec_open2(context.get(), codec, nullptr) < 0)
        return decoded;
    auto receive = [&] {
        while (avcodec_receive_frame(context.get(), frame.get()) == 0) {
            QImage rgb(frame->width, frame->height, QImage::Format_RGB888);
            ffmpeg::ScalerPtr scaler(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                                    frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_POINT,
                                                    nullptr, nullptr, nullptr));
            uint8_t* planes[] = {rgb.bits()};
            const int strides[] = {int(rgb.bytesPerLine())};
            sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
            decoded.frames.append(rgb);
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        decoded.delaysMs.append(int(av_rescale_q(packet->duration, stream->time_base, {1, 1000})));
        avcodec_send_packet(context.get(), packet.get());
        av_packet_unref(packet.get());
        receive();
    }
    avcodec_send_packet(context.get(), nullptr);
    receive();
    return decoded;
}

// The loop count each format stores: 0 for ever.
int storedLoops(const QByteArray& file, ExportFormat format)
{
    const bool gif = format == ExportFormat::Gif;
    const qsizetype at = file.indexOf(gif ? "NETSCAPE2.0" : "acTL");
    if (at < 0)
        return -1;
    const auto byte = [&](qsizetype i) { return int(uchar(file[at + i])); };
    return gif ? byte(13) | byte(14) << 8 : byte(8) << 24 | byte(9) << 16 | byte(10) << 8 | byte(11);
}

// Level of dot (x, y) in frame `seed`.
int levelAt(int x, int y, int seed)
{
    return (x + y + seed) % 4;
}

QList<QImage> panelFrames(int count, QSize size = {160, 54})
{
    QList<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.append(
            test::levelFrame(size.width(), size.height(), 2, [i](int x, int y) { return levelAt(x, y, i); }));
    return frames;
}

class AnimExport : public testing::TestWithParam<ExportFormat>
{
};

TEST_P(AnimExport, FramesReadBackWithExactTintsGapsAndDelay)
{
    const ExportFormat format = GetParam();
    ExportOptions options;
    options.dots = true;
    options.colorCode = 0x24; // red 2, green 1, blue 0
    options.delayMs = 120;
    QByteArray bytes;
    ASSERT_EQ(exportAnimation(panelFrames(3), format, options, bytes), ExportOk);
    QTemporaryDir dir;
    const QString path = dir.filePath(format == ExportFormat::Gif ? "out.gif" : "out.apng");
    ASSERT_TRUE(test::writeBytes(path, bytes));

    const Decoded decoded = decode(path);
    ASSERT_EQ(decoded.frames.size(), 3);
    EXPECT_EQ(decoded.delaysMs, (QList<int>{120, 120, 120}));
    EXPECT_EQ(storedLoops(bytes, format), 0);
    // Entry i of code 0x24 with the default levels: (170 * i / 3, 85 * i / 3, 0).
    const QRgb tint[] = {qRgb(0, 0, 0), qRgb(56, 28, 0), qRgb(113, 56, 0), qRgb(170, 85, 0)};
    // Dots of 46 x 34 with 12 between on a pitch of 4 pixels across: rows 4 x 46 / 58 = 3.17
    // pixels apart, 171 in all; each dot 3 x 2 pixels (4 x 46 / 58 and 3.17 x 34 / 46 rounded).
    for (int f = 0; f < 3; ++f) {
        const QImage& frame = decoded.frames[f];
        ASSERT_EQ(frame.size(), QSize(640, 171));
        for (const QPoint dot : {QPoint(0, 0), QPoint(1, 0), QPoint(2, 7), QPoint(159, 53)}) {
            const QPoint corner(4 * dot.x(), int(std::lround(dot.y() * 171.0 / 54)));
            EXPECT_EQ(frame.pixel(corner + QPoint(1, 1)), tint[levelAt(dot.x(), dot.y(), f)]) << f;
            EXPECT_EQ(frame.pixel(corner + QPoint(3, 0)), qRgb(16, 16, 16)) << f;
            EXPECT_EQ(frame.pixel(corner + QPoint(1, 2)), qRgb(16, 16, 16)) << f;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Animations, AnimExport, testing::Values(ExportFormat::Gif, ExportFormat::Apng));

TEST(AnimExportSheet, FramesInARoughlySquareGrid)
{
    ExportOptions options;
    options.scale = 1;
    QByteArray bytes;
    ASSERT_EQ(exportAnimation(panelFrames(5, {10, 4}), ExportFormat::SpriteSheet, options, bytes), ExportOk);
    const QImage sheet = QImage::fromData(bytes, "png");
    ASSERT_EQ(sheet.size(), QSize(3 * 11 - 1, 2 * 5 - 1));
    EXPECT_EQ(sheet.pixel(10, 0), StripGapColour);
    EXPECT_EQ(sheet.pixel(11, 0), qRgb(85, 85, 85));   // frame 1, level 1
    EXPECT_EQ(sheet.pixel(0, 5), qRgb(255, 255, 255)); // frame 3, level 3
    EXPECT_EQ(sheet.pixel(12, 5), qRgb(85, 85, 85));   // frame 4, dot (1, 0): level 1
    EXPECT_EQ(sheet.pixel(31, 8), StripGapColour);     // no frame 5
}

// The faceplate picture around the panel: exact in 24 bits, the panel exact in a GIF too.
TEST(AnimExportFaceplate, PanelInTheViewRectangle)
{
    QTemporaryDir dir;
    QImage picture(40, 30, QImage::Format_RGB888);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(x * 6, y * 8, 200)); // 1200 colours
    ExportOptions options;
    options.scale = 2;
    options.panel = PanelDescription{};
    options.panel->viewRect = {10, 20, 29, 24}; // 20 x 5 pixels for a 10 x 5 frame
    options.panel->infoRect = {0, 0, 39, 3};
    options.panelPicture = test::writePicture(dir, "face.png", picture);
    const QList<QImage> frames = panelFrames(1, {10, 5});

    const QImage frame = renderExportFrame(frames[0], options);
    ASSERT_EQ(frame.size(), QSize(80, 60));
    EXPECT_EQ(frame.pixel(2 * 35, 2 * 10), picture.pixel(35, 10));
    EXPECT_EQ(frame.pixel(2 * 10 + 4, 2 * 21), qRgb(170, 170, 170)); // dot (1, 1): level 2

    const QString path = dir.filePath("face.gif");
    ASSERT_EQ(exportAnimationFile(frames, path, options), ExportOk);
    const Decoded decoded = decode(path);
    ASSERT_EQ(decoded.frames.size(), 1);
    EXPECT_EQ(decoded.frames[0].pixel(2 * 10 + 4, 2 * 21), qRgb(170, 170, 170));
    const QColor near = decoded.frames[0].pixelColor(2 * 35, 2 * 10);
    EXPECT_NEAR(near.red(), 35 * 6, 12);
    EXPECT_NEAR(near.green(), 10 * 8, 12);
}

// The lit blobs of a picture's rectangle (4-connected, brighter than halfway from the gap to
// white): their count and the spread of their widths and heights.
struct Blobs
{
    int count = 0;
    int widthSpread = 0, heightSpread = 0;
    QSize largest;
};

Blobs litBlobs(const QImage& picture, const QRect& area)
{
    std::vector<char> seen(std::size_t(area.width()) * std::size_t(area.height()));
    auto lit = [&](int x, int y) {
        return qGray(picture.pixel(area.x() + x, area.y() + y)) > (16 + 255) / 2;
    };
    Blobs blobs;
    int minWidth = INT_MAX, maxWidth = 0, minHeight = INT_MAX, maxHeight = 0;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            if (seen[std::size_t(y) * std::size_t(area.width()) + std::size_t(x)] || !lit(x, y))
                continue;
            QRect box(x, y, 1, 1);
            std::vector<QPoint> stack{{x, y}};
            seen[std::size_t(y) * std::size_t(area.width()) + std::size_t(x)] = 1;
            while (!stack.empty()) {
                const QPoint at = stack.back();
                stack.pop_back();
                box |= QRect(at, QSize(1, 1));
                for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint next = at + step;
                    const auto index =
                        std::size_t(next.y()) * std::size_t(area.width()) + std::size_t(next.x());
                    if (next.x() < 0 || next.y() < 0 || next.x() >= area.width() ||
                        next.y() >= area.height() || seen[index] || !lit(next.x(), next.y()))
                        continue;
                    seen[index] = 1;
                    stack.push_back(next);
                }
            }
            ++blobs.count;
            minWidth = std::min(minWidth, box.width());
            maxWidth = std::max(maxWidth, box.width());
            minHeight = std::min(minHeight, box.height());
            maxHeight = std::max(maxHeight, box.height());
        }
    }
    blobs.widthSpread = maxWidth - minWidth;
    blobs.heightSpread = maxHeight - minHeight;
    blobs.largest = QSize(maxWidth, maxHeight);
    return blobs;
}

// Every dot of an all-lit frame, read back by FFmpeg, is one blob parted from its neighbours,
// all of one size within a pixel where the pitch is fractional; alone and in the faceplate's
// view rectangle (203 x 55 pixels for 160 x 54 dots, scaled with the picture).
TEST(AnimExportDots, EachDotIsOneBlobOfOneSize)
{
    QTemporaryDir dir;
    QImage face(260, 160, QImage::Format_RGB888);
    face.fill(qRgb(40, 60, 90));
    const QString facePath = test::writePicture(dir, "face.png", face);
    const QList<QImage> lit{test::levelFrame(160, 54, 2, [](int, int) { return 3; })};
    // Dot sizes: the pitch times 46 / 58 across and 34 / 46 down, rounded, one pixel less than
    // the pitch at most: 812 / 160 and 220 / 54 pixels in the faceplate at scale 4.
    const struct
    {
        bool faceplate;
        int scale;
        QSize dot;
    } cases[] = {
        {false, 4, {3, 2}}, {false, 5, {4, 2}}, {false, 16, {13, 9}}, {true, 4, {4, 3}}, {true, 9, {9, 7}}};
    for (const auto& c : cases) {
        ExportOptions options;
        options.scale = c.scale;
        options.dots = true;
        QRect view(0, 0, 160 * c.scale, int(std::lround(54 * c.scale * 46.0 / 58)));
        if (c.faceplate) {
            options.panel = PanelDescription{};
            options.panelPicture = facePath;
            view = QRect(45 * c.scale, 97 * c.scale, 203 * c.scale, 55 * c.scale);
        }
        const QString path = dir.filePath("dots.gif");
        ASSERT_EQ(exportAnimationFile(lit, path, options), ExportOk);
        const Decoded decoded = decode(path);
        ASSERT_EQ(decoded.frames.size(), 1);
        const Blobs blobs = litBlobs(decoded.frames[0], view);
        EXPECT_EQ(blobs.count, 160 * 54) << c.scale << (c.faceplate ? " in the faceplate" : "");
        EXPECT_EQ(blobs.largest, c.dot) << c.scale << (c.faceplate ? " in the faceplate" : "");
        EXPECT_LE(blobs.widthSpread, 1) << c.scale;
        EXPECT_LE(blobs.heightSpread, 1) << c.scale;
    }
    // A 13 x 9 dot's corners are rounded (radius 3): its corner pixel is gap, the one below it
    // partly lit, the one inside from both fully.
    ExportOptions large;
    large.scale = 16;
    large.dots = true;
    const QImage frame = renderExportFrame(lit[0], large);
    EXPECT_EQ(frame.pixel(0, 0), DotGapColour);
    EXPECT_GT(qRed(frame.pixel(0, 1)), 16);
    EXPECT_LT(qRed(frame.pixel(0, 1)), 255);
    EXPECT_EQ(frame.pixel(1, 1), qRgb(255, 255, 255));
}

// Videos play the frames once at the even size the encoder needs (171 rows become 172).
TEST(AnimExportVideo, Mp4AndWebMDecodeToEveryFrame)
{
    QTemporaryDir dir;
    ExportOptions options;
    options.dots = true;
    for (const auto& [name, format] :
         {std::pair{"out.mp4", ExportFormat::Mp4}, std::pair{"out.webm", ExportFormat::WebM}}) {
        const QString path = dir.filePath(name);
        ASSERT_EQ(exportAnimationFile(panelFrames(5), path, options), ExportOk) << name;
        EXPECT_EQ(exportFormatOf(path), format);
        const Decoded decoded = decode(path);
        ASSERT_EQ(decoded.frames.size(), 5) << name;
        EXPECT_EQ(decoded.frames[0].size(), QSize(640, 172)) << name;
    }
}

TEST(AnimExportRefusals, ResultCodeAndOutputUntouched)
{
    ExportOptions big;
    big.scale = MaxExportScale;
    ExportOptions missingPicture;
    missingPicture.panel = PanelDescription{};
    missingPicture.panelPicture = "/nonexistent/face.png";
    QList<QImage> mixed = panelFrames(2);
    mixed.append(panelFrames(1, {10, 4}));
    const auto withOption = [](auto change) {
        ExportOptions options;
        change(options);
        return options;
    };
    const struct
    {
        QList<QImage> frames;
        ExportFormat format;
        ExportOptions options;
        int result;
    } cases[] = {
        {{}, ExportFormat::Gif, {}, ExportNoFrames},
        {mixed, ExportFormat::Apng, {}, ExportSizesDiffer},
        {panelFrames(1), ExportFormat::Gif, withOption([](ExportOptions& o) { o.scale = 0; }),
         ExportBadOptions},
        {panelFrames(1), ExportFormat::Gif, withOption([](ExportOptions& o) { o.delayMs = 9; }),
         ExportBadOptions},
        {QList<QImage>(90, panelFrames(1, {256, 256})[0]), ExportFormat::Gif, big, ExportTooLarge},
        {panelFrames(90), ExportFormat::SpriteSheet, big, ExportTooLarge},
        {panelFrames(1), ExportFormat::Gif, missingPicture, ExportPictureMissing},
    };
    for (const auto& c : cases) {
        QByteArray out = "kept";
        EXPECT_EQ(exportAnimation(c.frames, c.format, c.options, out), c.result);
        EXPECT_EQ(out, "kept");
    }
    EXPECT_EQ(exportFormatOf("a.GIF"), ExportFormat::Gif);
    EXPECT_EQ(exportFormatOf("a.ApNg"), ExportFormat::Apng);
    EXPECT_EQ(exportFormatOf("a.png"), ExportFormat::SpriteSheet);
    EXPECT_EQ(exportFormatOf("a.nma"), std::nullopt);
}

} // namespace
} // namespace vantrel
