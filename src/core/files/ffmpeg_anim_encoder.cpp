#include "core/files/ffmpeg_anim_encoder.h"

#include "core/files/memory_output.h"
#include "core/input/ffmpeg_handles.h"
#include "core/input/ffmpeg_log.h"

#include <cstring>

namespace vantrel {
namespace {

constexpr AVRational Milliseconds{1, 1000};

struct CodecChoice
{
    const char* encoder;
    const char* muxer;
    bool video; // YUV 4:2:0, played once
};

CodecChoice choiceOf(AnimationCodec codec)
{
    switch (codec) {
    case AnimationCodec::Gif:
        return {"gif", "gif", false};
    case AnimationCodec::Apng:
        return {"apng", "apng", false};
    case AnimationCodec::H264:
        return {"libx264", "mp4", true};
    case AnimationCodec::Vp9:
        return {"libvpx-vp9", "webm", true};
    }
    return {"", "", false};
}

// Sharp dots and fast enough to export while the user waits.
void setVideoOptions(AnimationCodec codec, ffmpeg::Dictionary& options)
{
    if (codec == AnimationCodec::H264) {
        options.set("preset", "superfast");
        options.set("crf", "18");
    } else {
        options.set("deadline", "realtime");
        options.set("cpu-used", "8");
        options.set("crf", "24");
        options.set("b", "0");
        options.set("row-mt", "1");
    }
}

int failed(int error, QString* reason)
{
    if (reason) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(error, text, sizeof text);
        *reason = QString::fromUtf8(text);
    }
    return error;
}

AVPixelFormat pixelFormatOf(const QImage& frame)
{
    switch (frame.format()) {
    case QImage::Format_Indexed8:
        return AV_PIX_FMT_PAL8;
    case QImage::Format_RGB888:
        return AV_PIX_FMT_RGB24;
    default:
        return AV_PIX_FMT_NONE;
    }
}

int convertInto(AVFrame& frame, const QImage& image, SwsContext& scaler)
{
    if (image.size() != QSize(frame.width, frame.height) || image.format() != QImage::Format_RGB888)
        return AVERROR(EINVAL);
    if (const int error = av_frame_make_writable(&frame); error < 0)
        return error;
    const uint8_t* const source[4] = {image.constBits(), nullptr, nullptr, nullptr};
    const int stride[4] = {int(image.bytesPerLine()), 0, 0, 0};
    return sws_scale(&scaler, source, stride, 0, image.height(), frame.data, frame.linesize) == image.height()
               ? 0
               : AVERROR(EINVAL);
}

int copyInto(AVFrame& frame, const QImage& image)
{
    if (image.size() != QSize(frame.width, frame.height) || pixelFormatOf(image) != frame.format)
        return AVERROR(EINVAL);
    if (const int error = av_frame_make_writable(&frame); error < 0)
        return error;
    const auto rowBytes = std::size_t(image.width()) * std::size_t(image.depth() / 8);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(frame.data[0] + qsizetype(y) * frame.linesize[0], image.constScanLine(y), rowBytes);
    if (frame.format == AV_PIX_FMT_PAL8) {
        auto* palette = reinterpret_cast<uint32_t*>(frame.data[1]);
        const QList<QRgb> table = image.colorTable();
        for (int i = 0; i < 256; ++i)
            palette[i] = i < table.size() ? (table[i] | 0xFF000000u) : 0xFF000000u;
    }
    return 0;
}

// Hands every packet the encoder has ready to the muxer.
int drain(AVCodecContext& codec, AVFormatContext& muxer, AVStream& stream, AVPacket& packet, int delayMs)
{
    for (;;) {
        int error = avcodec_receive_packet(&codec, &packet);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
            return 0;
        if (error < 0)
            return error;
        packet.duration = delayMs;
        av_packet_rescale_ts(&packet, codec.time_base, stream.time_base);
        packet.stream_index = stream.index;
        error = av_write_frame(&muxer, &packet); // takes the payload
        av_packet_unref(&packet);
        if (error < 0)
            return error;
    }
}

} // namespace

int encodeAnimation(AnimationCodec choice, int count, const std::function<QImage(int)>& frameAt, int delayMs,
                    QByteArray& out, QString* reason)
{
    if (count < 1 || delayMs < 1)
        return failed(AVERROR(EINVAL), reason);
    ffmpeg::silenceLog();
    const CodecChoice names = choiceOf(choice);
    const QImage first = frameAt(0);
    const AVPixelFormat pixelFormat = names.video ? AV_PIX_FMT_YUV420P : pixelFormatOf(first);
    const AVCodec* encoder = avcodec_find_encoder_by_name(names.encoder);
    const AVOutputFormat* format = av_guess_format(names.muxer, nullptr, nullptr);
    if (!encoder || !format || pixelFormat == AV_PIX_FMT_NONE || first.isNull())
        return failed(AVERROR_ENCODER_NOT_FOUND, reason);

    ffmpeg::CodecContextPtr codec(avcodec_alloc_context3(encoder));
    ffmpeg::FramePtr frame(av_frame_alloc());
    ffmpeg::PacketPtr packet(av_packet_alloc());
    if (!codec || !frame || !packet)
        return failed(AVERROR(ENOMEM), reason);
    codec->width = first.width();
    codec->height = first.height();
    codec->pix_fmt = pixelFormat;
    codec->time_base = Milliseconds;
    codec->framerate = AVRational{1000, delayMs};
    if (format->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ffmpeg::Dictionary encoderOptions;
    if (names.video)
        setVideoOptions(choice, encoderOptions);
    if (const int error = avcodec_open2(codec.get(), encoder, encoderOptions.address()); error < 0)
        return failed(error, reason);
    frame->width = codec->width;
    frame->height = codec->height;
    frame->format = pixelFormat;
    if (const int error = av_frame_get_buffer(frame.get(), 0); error < 0)
        return failed(error, reason);
    ffmpeg::ScalerPtr scaler;
    if (names.video) {
        scaler.reset(sws_getContext(codec->width, codec->height, AV_PIX_FMT_RGB24, codec->width,
                                    codec->height, pixelFormat, SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!scaler)
            return failed(AVERROR(ENOMEM), reason);
    }

    MemoryOutput sink;
    ffmpeg::IoContextPtr io = sink.open();
    AVFormatContext* allocated = nullptr;
    avformat_alloc_output_context2(&allocated, format, nullptr, nullptr);
    ffmpeg::OutputContextPtr muxer(allocated);
    if (!io || !muxer)
        return failed(AVERROR(ENOMEM), reason);
    muxer->pb = io.get();
    muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
    AVStream* stream = avformat_new_stream(muxer.get(), nullptr);
    if (!stream)
        return failed(AVERROR(ENOMEM), reason);
    if (const int error = avcodec_parameters_from_context(stream->codecpar, codec.get()); error < 0)
        return failed(error, reason);
    stream->time_base = codec->time_base;

    ffmpeg::Dictionary options;
    if (!names.video) {
        // Both animation muxers count plays from 0 = forever; the last frame keeps the delay of
        // the others.
        const bool gif = choice == AnimationCodec::Gif;
        options.set(gif ? "loop" : "plays", "0");
        const QByteArray finalDelay =
            gif ? QByteArray::number((delayMs + 5) / 10) : QByteArray::number(delayMs) + "/1000";
        options.set("final_delay", finalDelay.constData());
    }
    if (const int error = avformat_write_header(muxer.get(), options.address()); error < 0)
        return failed(error, reason);

    for (int i = 0; i < count; ++i) {
        const QImage image = i == 0 ? first : frameAt(i);
        if (const int error = scaler ? convertInto(*frame, image, *scaler) : copyInto(*frame, image);
            error < 0)
            return failed(error, reason);
        frame->pts = qint64{i} * delayMs;
        if (const int error = avcodec_send_frame(codec.get(), frame.get()); error < 0)
            return failed(error, reason);
        if (const int error = drain(*codec, *muxer, *stream, *packet, delayMs); error < 0)
            return failed(error, reason);
    }
    if (const int error = avcodec_send_frame(codec.get(), nullptr); error < 0)
        return failed(error, reason);
    if (const int error = drain(*codec, *muxer, *stream, *packet, delayMs); error < 0)
        return failed(error, reason);
    if (const int error = av_write_trailer(muxer.get()); error < 0)
        return failed(error, reason);
    avio_flush(io.get());
    if (io->error < 0)
        return failed(io->error, reason);
    out = sink.bytes();
    return 0;
}

} // namespace vantrel
