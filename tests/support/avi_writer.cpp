#include "support/avi_writer.h"

#include "support/frame_pattern.h"

#include "core/input/ffmpeg_handles.h"
#include "core/input/ffmpeg_log.h"

extern "C" {
#include <libavutil/display.h>
#include <libavutil/opt.h>
}

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace vantrel::test {

namespace {

struct OutputContextDeleter
{
    void operator()(AVFormatContext* context) const
    {
        if (context->pb)
            avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
using OutputContextPtr = std::unique_ptr<AVFormatContext, OutputContextDeleter>;

class AviEncoder
{
public:
    AviEncoder(AVFormatContext* output, AVStream* stream, AVCodecContext* codec, int keyFrameInterval)
        : output_(output), stream_(stream), codec_(codec), keyFrameInterval_(keyFrameInterval),
          packet_(av_packet_alloc())
    {}

    // A null frame flushes the encoder.
    bool encode(const AVFrame* frame)
    {
        if (!packet_ || avcodec_send_frame(codec_, frame) < 0)
            return false;
        for (;;) {
            const int received = avcodec_receive_packet(codec_, packet_.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                return true;
            if (received < 0)
                return false;
            if (packet_->duration <= 0)
                packet_->duration = 1; // one frame: Matroska counts it into the file's duration
            av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            if (av_interleaved_write_frame(output_, packet_.get()) < 0)
                return false;
        }
    }

private:
    AVFormatContext* output_;
    AVStream* stream_;
    AVCodecContext* codec_;
    int keyFrameInterval_;
    ffmpeg::PacketPtr packet_;
};

AVCodecID codecId(AviCodec codec)
{
    switch (codec) {
    case AviCodec::Mjpeg:
        return AV_CODEC_ID_MJPEG;
    case AviCodec::RawBgr24:
        return AV_CODEC_ID_RAWVIDEO;
    case AviCodec::Mpeg4:
        return AV_CODEC_ID_MPEG4;
    case AviCodec::H264:
        return AV_CODEC_ID_H264;
    case AviCodec::Vp8:
        return AV_CODEC_ID_VP8;
    case AviCodec::Gif:
        return AV_CODEC_ID_GIF;
    case AviCodec::Hevc:
        return AV_CODEC_ID_HEVC;
    }
    return AV_CODEC_ID_NONE;
}

AVPixelFormat pixelFormat(AviCodec codec)
{
    switch (codec) {
    case AviCodec::Mjpeg:
        return AV_PIX_FMT_YUVJ420P;
    case AviCodec::RawBgr24:
        return AV_PIX_FMT_BGR24;
    case AviCodec::Mpeg4:
    case AviCodec::H264:
    case AviCodec::Vp8:
    case AviCodec::Hevc:
        return AV_PIX_FMT_YUV420P;
    case AviCodec::Gif:
        return AV_PIX_FMT_RGB8; // the pattern's colours are all exact in it
    }
    return AV_PIX_FMT_NONE;
}

// The muxer marks every packet of an intra-only codec as a key frame; the idx1 flags
// (AVIIF_KEYFRAME, 0x10) are rewritten afterwards. Entries are 16 bytes: id, flags, offset, size.
bool markKeyFrames(const QString& path, int interval)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const qsizetype index = bytes.lastIndexOf("idx1");
    if (index < 0 || index + 8 > bytes.size())
        return false;
    const qsizetype entries = qFromLittleEndian<quint32>(bytes.constData() + index + 4) / 16;
    for (qsizetype entry = 0; entry < entries && index + 8 + 16 * (entry + 1) <= bytes.size(); ++entry) {
        char* flags = bytes.data() + index + 8 + 16 * entry + 4;
        qToLittleEndian<quint32>(entry % interval == 0 ? 0x10 : 0, flags);
    }
    return file.seek(0) && file.write(bytes) == bytes.size();
}

// Encoders named rather than found by codec, so that the codec's library encoder is the one used.
const AVCodec* findEncoder(AviCodec codec)
{
    switch (codec) {
    case AviCodec::H264:
        return avcodec_find_encoder_by_name("libx264");
    case AviCodec::Hevc:
        return avcodec_find_encoder_by_name("libx265");
    case AviCodec::Vp8:
        return avcodec_find_encoder_by_name("libvpx");
    default:
        return avcodec_find_encoder(codecId(codec));
    }
}

// Fine quantisation for the library encoders too, and no frames held back to be sent later.
void setLibraryOptions(AVCodecContext* codec, AviCodec kind)
{
    if (kind == AviCodec::Hevc) {
        av_opt_set(codec, "preset", "ultrafast", AV_OPT_SEARCH_CHILDREN);
        av_opt_set(codec, "x265-params", "log-level=none:scenecut=0", AV_OPT_SEARCH_CHILDREN);
        codec->max_b_frames = 2;
    } else if (kind == AviCodec::H264) {
        av_opt_set(codec, "preset", "veryfast", AV_OPT_SEARCH_CHILDREN);
        av_opt_set(codec, "x264-params", "scenecut=0:qp=4", AV_OPT_SEARCH_CHILDREN);
        codec->max_b_frames = 2;
        codec->thread_count = 1;
    } else if (kind == AviCodec::Vp8) {
        av_opt_set(codec, "deadline", "realtime", AV_OPT_SEARCH_CHILDREN);
        av_opt_set_int(codec, "lag-in-frames", 0, AV_OPT_SEARCH_CHILDREN);
        av_opt_set_int(codec, "auto-alt-ref", 0, AV_OPT_SEARCH_CHILDREN);
        codec->bit_rate = 4000000;
        codec->qmin = codec->qmax = 4;
        codec->keyint_min = codec->gop_size;
    }
}

// `muxer` null: the one the file name's extension names.
bool writeWith(const QString& path, const char* muxer, const AviLayout& layout)
{
    ffmpeg::silenceLog();
    if (layout.size.isEmpty() || layout.frames < 1 || layout.fps < 1 || layout.keyFrameInterval < 1)
        return false;
    const QByteArray fileName = QFile::encodeName(path);
    AVFormatContext* rawOutput = nullptr;
    if (avformat_alloc_output_context2(&rawOutput, nullptr, muxer, fileName.constData()) < 0)
        return false;
    OutputContextPtr output(rawOutput);

    const AVCodec* encoder = findEncoder(layout.codec);
    AVStream* stream = encoder ? avformat_new_stream(output.get(), nullptr) : nullptr;
    ffmpeg::CodecContextPtr codec(encoder ? avcodec_alloc_context3(encoder) : nullptr);
    if (!stream || !codec)
        return false;
    codec->width = layout.size.width();
    codec->height = layout.size.height();
    codec->time_base = AVRational{1, layout.fps};
    codec->framerate = AVRational{layout.fps, 1};
    codec->pix_fmt = pixelFormat(layout.codec);
    if (layout.sampleAspectNum > 0 && layout.sampleAspectDen > 0)
        codec->sample_aspect_ratio = AVRational{layout.sampleAspectNum, layout.sampleAspectDen};
    codec->gop_size = layout.keyFrameInterval;
    codec->max_b_frames = 0;
    // No extra key frames where the picture changes a lot: tests rely on where they are.
    av_opt_set_int(codec.get(), "sc_threshold", 1000000000, AV_OPT_SEARCH_CHILDREN);
    // Fine quantisation keeps the cells' colours clear at small sizes.
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * 2;
    setLibraryOptions(codec.get(), layout.codec);
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(codec.get(), encoder, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, codec.get()) < 0)
        return false;
    stream->time_base = codec->time_base;
    stream->avg_frame_rate = codec->framerate; // Matroska writes it as each frame's duration
    stream->sample_aspect_ratio = codec->sample_aspect_ratio;
    if (layout.displayRotation != 0 || layout.displayMirrored) {
        auto* matrix = reinterpret_cast<int32_t*>(
            av_stream_new_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
        if (!matrix)
            return false;
        av_display_rotation_set(matrix, layout.displayRotation);
        av_display_matrix_flip(matrix, layout.displayMirrored, 0);
    }
    if (avio_open(&output->pb, fileName.constData(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(output.get(), nullptr) < 0)
        return false;

    ffmpeg::FramePtr frame(av_frame_alloc());
    if (!frame)
        return false;
    frame->format = codec->pix_fmt;
    frame->width = codec->width;
    frame->height = codec->height;
    ffmpeg::ScalerPtr scaler(sws_getContext(codec->width, codec->height, AV_PIX_FMT_RGB24, codec->width,
                                            codec->height, codec->pix_fmt, SWS_POINT, nullptr, nullptr,
                                            nullptr));
    if (!scaler || av_frame_get_buffer(frame.get(), 0) < 0)
        return false;

    AviEncoder aviEncoder(output.get(), stream, codec.get(), layout.keyFrameInterval);
    for (int index = 0; index < layout.frames; ++index) {
        if (layout.droppedFrames.contains(index + 1))
            continue; // the muxer fills the gap in timestamps with empty chunks
        const QImage picture =
            (layout.picture ? layout.picture(index + 1) : makeNumberedPicture(index + 1, layout.size))
                .convertToFormat(QImage::Format_RGB888);
        if (picture.size() != layout.size)
            return false;
        const uint8_t* const source[4] = {picture.constBits(), nullptr, nullptr, nullptr};
        const int sourceStride[4] = {int(picture.bytesPerLine()), 0, 0, 0};
        if (av_frame_make_writable(frame.get()) < 0)
            return false;
        sws_scale(scaler.get(), source, sourceStride, 0, codec->height, frame->data, frame->linesize);
        frame->pts = index;
        frame->quality = codec->global_quality;
        if (!aviEncoder.encode(frame.get()))
            return false;
    }
    return aviEncoder.encode(nullptr) && av_write_trailer(output.get()) == 0;
}

} // namespace

bool writeAvi(const QString& path, const AviLayout& layout)
{
    if (!writeWith(path, "avi", layout))
        return false;
    const bool intraOnly = layout.codec == AviCodec::Mjpeg || layout.codec == AviCodec::RawBgr24;
    return !intraOnly || layout.keyFrameInterval == 1 || markKeyFrames(path, layout.keyFrameInterval);
}

bool writeVideo(const QString& path, const AviLayout& layout)
{
    return writeWith(path, nullptr, layout);
}

bool writePngAvi(const QString& path, QSize size, const QList<QByteArray>& pngs, int fps)
{
    ffmpeg::silenceLog();
    const QByteArray fileName = QFile::encodeName(path);
    AVFormatContext* rawOutput = nullptr;
    if (avformat_alloc_output_context2(&rawOutput, nullptr, "avi", fileName.constData()) < 0)
        return false;
    OutputContextPtr output(rawOutput);
    AVStream* stream = avformat_new_stream(output.get(), nullptr);
    ffmpeg::PacketPtr packet(av_packet_alloc());
    if (!stream || !packet)
        return false;
    stream->codecpar->codec_type = AVMEDIA_TYPE_VIDEO;
    stream->codecpar->codec_id = AV_CODEC_ID_PNG;
    stream->codecpar->width = size.width();
    stream->codecpar->height = size.height();
    stream->time_base = AVRational{1, fps};
    if (avio_open(&output->pb, fileName.constData(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(output.get(), nullptr) < 0)
        return false;
    for (qsizetype index = 0; index < pngs.size(); ++index) {
        if (av_new_packet(packet.get(), int(pngs[index].size())) < 0)
            return false;
        const ffmpeg::PacketUnrefGuard unref(packet.get()); // av_write_frame leaves it to us
        std::memcpy(packet->data, pngs[index].constData(), size_t(pngs[index].size()));
        packet->pts = packet->dts = av_rescale_q(index, AVRational{1, fps}, stream->time_base);
        packet->flags |= AV_PKT_FLAG_KEY;
        if (av_write_frame(output.get(), packet.get()) < 0)
            return false;
    }
    return av_write_trailer(output.get()) == 0;
}

} // namespace vantrel::test
