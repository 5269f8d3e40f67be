// Block loads of a video through MediaFile against FFmpeg decoding the same frames on its own:
// the difference is what the decoder layer costs on top of FFmpeg (RGB conversion, bookkeeping).
#include "core/input/ffmpeg_handles.h"
#include "core/input/media_file.h"
#include "support/avi_writer.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace {

using namespace vantrel;

constexpr int FirstPage = 151;
constexpr int BlockSize = 10;

// 640 × 480, 300 MJPEG frames, written once per run.
const QString& sampleVideo()
{
    static const QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath("bench.avi");
        return test::writeAvi(file, {.size = QSize(640, 480),
                                     .frames = 300,
                                     .codec = test::AviCodec::Mjpeg,
                                     .fps = 30,
                                     .keyFrameInterval = 1})
                   ? file
                   : QString();
    }();
    return path;
}

void BM_AviBlockLoad_MediaFileFreshlyOpened(benchmark::State& state)
{
    const QString& path = sampleVideo();
    for (auto _ : state) {
        std::unique_ptr<MediaFile> video;
        QList<QImage> frames;
        if (MediaFile::open(path, video) != MediaOk || video->load(FirstPage, BlockSize, frames) != MediaOk ||
            frames.size() != BlockSize) {
            state.SkipWithError("the sample video did not load");
            break;
        }
        benchmark::DoNotOptimize(frames);
    }
}
BENCHMARK(BM_AviBlockLoad_MediaFileFreshlyOpened)->Unit(benchmark::kMillisecond);

void BM_AviBlockLoad_MediaFileKeptOpen(benchmark::State& state)
{
    std::unique_ptr<MediaFile> video;
    if (MediaFile::open(sampleVideo(), video) != MediaOk) {
        state.SkipWithError("the sample video did not open");
        return;
    }
    for (auto _ : state) {
        QList<QImage> frames; // every load after the first seeks back to the same block
        if (video->load(FirstPage, BlockSize, frames) != MediaOk || frames.size() != BlockSize) {
            state.SkipWithError("the sample video did not load");
            break;
        }
        benchmark::DoNotOptimize(frames);
    }
}
BENCHMARK(BM_AviBlockLoad_MediaFileKeptOpen)->Unit(benchmark::kMillisecond);

// The same frames with the FFmpeg API alone: seek to the key frame, decode, and only if asked
// convert to RGB24 into frames of its own (what any caller keeping a block of frames pays).
class FfmpegBlockDecoder
{
public:
    bool open(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        AVFormatContext* context = nullptr;
        if (avformat_open_input(&context, name.constData(), av_find_input_format("avi"), nullptr) < 0)
            return false;
        format_.reset(context);
        stream_ = av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (stream_ < 0)
            return false;
        const AVCodecParameters* parameters = context->streams[stream_]->codecpar;
        const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
        codec_.reset(decoder ? avcodec_alloc_context3(decoder) : nullptr);
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        return codec_ && packet_ && frame_ && avcodec_parameters_to_context(codec_.get(), parameters) >= 0 &&
               avcodec_open2(codec_.get(), decoder, nullptr) >= 0;
    }

    // Frames decoded from the page on (its pts is page - 1 in an AVI), up to count.
    int decode(int page, int count, bool toRgb)
    {
        const int64_t target = page - 1;
        if (av_seek_frame(format_.get(), stream_, target, AVSEEK_FLAG_BACKWARD) < 0)
            return 0;
        avcodec_flush_buffers(codec_.get());
        std::vector<ffmpeg::FramePtr> rgbFrames;
        int decoded = 0;
        while (decoded < count && av_read_frame(format_.get(), packet_.get()) >= 0) {
            const bool ours = packet_->stream_index == stream_;
            if (ours && avcodec_send_packet(codec_.get(), packet_.get()) < 0)
                return decoded;
            av_packet_unref(packet_.get());
            while (ours && decoded < count && avcodec_receive_frame(codec_.get(), frame_.get()) == 0) {
                if (frame_->best_effort_timestamp < target)
                    continue;
                ++decoded;
                if (toRgb && !convert(rgbFrames))
                    return 0;
                benchmark::DoNotOptimize(frame_->data[0]);
            }
        }
        return decoded;
    }

private:
    bool convert(std::vector<ffmpeg::FramePtr>& rgbFrames)
    {
        scaler_.reset(sws_getCachedContext(scaler_.release(), frame_->width, frame_->height,
                                           AVPixelFormat(frame_->format), frame_->width, frame_->height,
                                           AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
        ffmpeg::FramePtr rgb(av_frame_alloc());
        if (!scaler_ || !rgb)
            return false;
        rgb->format = AV_PIX_FMT_RGB24;
        rgb->width = frame_->width;
        rgb->height = frame_->height;
        if (av_frame_get_buffer(rgb.get(), 0) < 0)
            return false;
        sws_scale(scaler_.get(), frame_->data, frame_->linesize, 0, frame_->height, rgb->data, rgb->linesize);
        rgbFrames.push_back(std::move(rgb));
        return true;
    }

    ffmpeg::InputContextPtr format_;
    ffmpeg::CodecContextPtr codec_;
    ffmpeg::PacketPtr packet_;
    ffmpeg::FramePtr frame_;
    ffmpeg::ScalerPtr scaler_;
    int stream_ = -1;
};

void BM_AviBlockLoad_FfmpegAloneFreshlyOpened(benchmark::State& state)
{
    const bool toRgb = state.range(0) != 0;
    const QString& path = sampleVideo();
    for (auto _ : state) {
        FfmpegBlockDecoder decoder;
        if (!decoder.open(path) || decoder.decode(FirstPage, BlockSize, toRgb) != BlockSize) {
            state.SkipWithError("FFmpeg did not decode the sample video");
            break;
        }
    }
}
BENCHMARK(BM_AviBlockLoad_FfmpegAloneFreshlyOpened)
    ->ArgName("rgb")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void BM_AviBlockLoad_FfmpegAloneKeptOpen(benchmark::State& state)
{
    const bool toRgb = state.range(0) != 0;
    FfmpegBlockDecoder decoder;
    if (!decoder.open(sampleVideo())) {
        state.SkipWithError("FFmpeg did not open the sample video");
        return;
    }
    for (auto _ : state) {
        if (decoder.decode(FirstPage, BlockSize, toRgb) != BlockSize) {
            state.SkipWithError("FFmpeg did not decode the sample video");
            break;
        }
    }
}
BENCHMARK(BM_AviBlockLoad_FfmpegAloneKeptOpen)->ArgName("rgb")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
