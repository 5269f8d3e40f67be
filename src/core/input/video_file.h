#pragma once

#include "core/input/decode_deadline.h"
#include "core/input/ffmpeg_handles.h"
#include "core/input/frame_buffer_pool.h"
#include "core/input/media_file.h"
#include "core/input/memory_input.h"
#include "core/input/page_range.h"

#include <QStringView>

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace vantrel {

// The containers read, each by its own demuxer only.
enum class VideoContainer { Avi, Mp4, Matroska, Gif };

// The container of a lower-case file extension (.mov and .m4v are Mp4, .webm is Matroska).
std::optional<VideoContainer> videoContainerOf(QStringView suffix);

// The turn FFmpeg's own tools give a display matrix (9 values, 16.16 fixed point); none for
// null or for angles that are not quarter turns.
FrameTurn frameTurnOf(const std::int32_t* displayMatrix);

// A video decoded through FFmpeg. Frames are upright and of their display size: turned by the
// stream's display matrix, widened or narrowed by its pixel shape. The file stays open between loads so that
// consecutive blocks continue where the last one ended and other blocks seek from the nearest key frame (from
// the frame itself when every frame decodes alone; a GIF from its first frame). The frames decoded last are
// kept as the decoder made them, so that loads within them only convert. The frame count comes from the AVI
// index, else from the container's headers; a stream they leave without a count or frame rate (a GIF always)
// has its packets counted on opening, and its pages follow its timestamps in order. The count never exceeds
// what the file's size can hold; pages a cut-short file ends before load as black frames.
class VideoFile final : public MediaFile
{
public:
    // Decoder threads of open(): one per core.
    static constexpr int EveryCore = 0;

    // Frames take their memory from `buffers` when given, else from a pool of the video's own.
    // Inter-coded video decodes on `threads` threads, with the same frames as on one.
    static int open(const QString& path, VideoContainer container, std::unique_ptr<MediaFile>& out,
                    DeadlineClock clock = {}, std::shared_ptr<FrameBufferPool> buffers = {},
                    int threads = EveryCore);
    // The same for a file held in memory, on one thread.
    static int openBytes(const QByteArray& bytes, VideoContainer container, std::unique_ptr<MediaFile>& out,
                         DeadlineClock clock = {});

    VideoFile(const VideoFile&) = delete;
    VideoFile& operator=(const VideoFile&) = delete;

    int frameCount() const override { return frameCount_; }
    int frameDelayMs() const override { return frameDelayMs_; }
    QSize frameSize() const override { return frameSize_; }
    bool decodesFramesAlone() const override { return intraOnly_; }
    qint64 framesDecoded() const override { return framesDecoded_; }
    int load(int firstPage, int count, QList<QImage>& frames) override;
    int loadPictures(int firstPage, int count, QList<InputPicture>& pictures) override;
    int keep(int firstPage, int count) override;

private:
    VideoFile(QString path, VideoContainer container, DeadlineClock clock,
              std::shared_ptr<FrameBufferPool> buffers)
        : path_(std::move(path)), container_(container), deadline_(std::move(clock)),
          buffers_(std::move(buffers))
    {}

    static int start(std::unique_ptr<VideoFile> video, std::unique_ptr<MediaFile>& out);
    static int getBuffer(AVCodecContext* context, AVFrame* frame, int flags);
    int openStream();
    int openInput(AVFormatContext* context);
    int readStreamInfo();
    qint64 announcedFrameCount() const;
    qint64 indexedFrameCount() const;
    int countFrames(qint64& frames);
    int readFirstFrameSize();
    int useDisplayShape();
    int rewind();
    int seekTo(qint64 page);
    bool continuesTo(qint64 page) const;
    int keepRange(const PageRange& range);
    int decodeBlock(const PageRange& range, std::vector<ffmpeg::FramePtr>& block);
    int collectFrames(const PageRange& range, std::vector<ffmpeg::FramePtr>& block);
    int fillGap(qint64 page, const PageRange& range, qint64& expected, std::vector<ffmpeg::FramePtr>& block);
    int seekFlags() const;
    int decodeNextFrame();
    int feedPacket();
    int noteDecodeError();
    qint64 pageOf(const AVFrame& frame) const;
    qint64 pageAtOffset(qint64 offset) const;
    qint64 ptsOf(qint64 page) const;
    int pictureOf(const AVFrame& frame, InputPicture& picture);
    int blackFrame(InputPicture& black);

    QString path_; // empty for a file in memory
    VideoContainer container_;
    DecodeDeadline deadline_;           // before format_, which calls it until destroyed
    std::optional<MemoryInput> memory_; // before io_, which reads it
    ffmpeg::IoContextPtr io_;           // before format_, which reads through it
    ffmpeg::InputContextPtr format_;
    ffmpeg::CodecContextPtr codec_;
    ffmpeg::PacketPtr packet_;
    ffmpeg::FramePtr frame_;
    ffmpeg::FramePtr previous_; // last decoded frame, unconverted until a drop frame repeats it
    std::shared_ptr<FrameBufferPool> buffers_;
    AVStream* stream_ = nullptr;
    int streamIndex_ = -1;
    bool intraOnly_ = false; // every frame decodes alone: seeks land on the frame asked for
    int threads_ = 1;

    AVRational timeBase_{0, 1};
    AVRational frameRate_{0, 1};
    qint64 startPts_ = 0;
    // For a counted stream, each frame's timestamp from startPts_, ascending; pages follow them
    // instead of the frame rate.
    std::vector<qint64> frameOffsets_;
    int frameCount_ = 0;
    int frameDelayMs_ = 0;
    QSize frameSize_;  // upright display size
    QSize scaledSize_; // display size before the turn: what the scaler makes
    FrameTurn turn_;

    qint64 nextPage_ = 0; // the page the decoder delivers next; 0 when a seek is needed
    qint64 lastPage_ = 0; // page of the last decoded frame, for frames without a timestamp
    bool draining_ = false;
    int consecutiveErrors_ = 0;
    qint64 framesDecoded_ = 0;
    // Pages whose data went to the decoder and gave no frame yet. A page missing from the
    // decoder's output is damaged when its data was sent, a drop frame when it had none.
    std::set<qint64> fedPages_;
    // The pages decoded last, as the decoder made them (null: black), from keptFirst_ on: loads
    // within them only convert.
    std::vector<ffmpeg::FramePtr> kept_;
    qint64 keptFirst_ = 0;
};

} // namespace vantrel
