#pragma once

// Owning handles for the FFmpeg objects the decoders, encoders and test writers use; every one is freed
// by its own FFmpeg function whatever path leaves the scope.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavformat/avio.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace vantrel::ffmpeg {

struct InputContextDeleter
{
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using InputContextPtr = std::unique_ptr<AVFormatContext, InputContextDeleter>;

// A muxer's context; its I/O context is the caller's and is not closed here.
struct OutputContextDeleter
{
    void operator()(AVFormatContext* context) const { avformat_free_context(context); }
};
using OutputContextPtr = std::unique_ptr<AVFormatContext, OutputContextDeleter>;

// A custom I/O context and its buffer, which FFmpeg may have replaced by one of its own.
struct IoContextDeleter
{
    void operator()(AVIOContext* context) const
    {
        av_freep(&context->buffer);
        avio_context_free(&context);
    }
};
using IoContextPtr = std::unique_ptr<AVIOContext, IoContextDeleter>;

struct CodecContextDeleter
{
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;

struct FrameDeleter
{
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;

struct PacketDeleter
{
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;

struct ScalerDeleter
{
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};
using ScalerPtr = std::unique_ptr<SwsContext, ScalerDeleter>;

// Drops a packet's payload at the end of one read-loop iteration; the packet itself is reused.
class PacketUnrefGuard
{
public:
    explicit PacketUnrefGuard(AVPacket* packet) : packet_(packet) {}
    ~PacketUnrefGuard() { av_packet_unref(packet_); }
    PacketUnrefGuard(const PacketUnrefGuard&) = delete;
    PacketUnrefGuard& operator=(const PacketUnrefGuard&) = delete;

private:
    AVPacket* packet_;
};

// Options handed to avformat_open_input; whatever FFmpeg leaves unconsumed is freed here.
class Dictionary
{
public:
    Dictionary() = default;
    ~Dictionary() { av_dict_free(&dictionary_); }
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    void set(const char* key, const char* value) { av_dict_set(&dictionary_, key, value, 0); }
    AVDictionary** address() { return &dictionary_; }

private:
    AVDictionary* dictionary_ = nullptr;
};

} // namespace vantrel::ffmpeg
