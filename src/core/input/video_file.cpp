#include "core/input/video_file.h"

#include "core/input/ffmpeg_log.h"
#include "core/input/picture_limits.h"

extern "C" {
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

#include <QFile>

#include <climits>
#include <cmath>
#include <thread>

namespace vantrel {

namespace {

// A run of undecodable packets this long means the stream is not worth reading further.
constexpr int MaxConsecutiveErrors = 50;

// The decode loop's own outcome; never returned from load.
constexpr int EndOfStream = 1;

// Every demuxer a file may reach. Naming the container's own demuxer keeps FFmpeg from probing,
// which would let a file reach playlist and concatenation demuxers that open other files or
// network addresses; the list stops any demuxer from opening another one inside.
constexpr char AllowedDemuxers[] = "avi,mov,mp4,m4a,3gp,3g2,mj2,matroska,webm,gif";

const char* demuxerName(VideoContainer container)
{
    switch (container) {
    case VideoContainer::Avi:
        return "avi";
    case VideoContainer::Mp4:
        return "mov,mp4,m4a,3gp,3g2,mj2";
    case VideoContainer::Matroska:
        return "matroska,webm";
    case VideoContainer::Gif:
        return "gif";
    }
    return "";
}

// The least a frame takes in a file: in an AVI a chunk header with no data (a drop frame); in
// the other containers a frame's index entry or block header and its coded data take more, so
// that a small file announcing millions of frames is believed only as far as it can hold.
constexpr qint64 MinFrameBytes = 8;

// What GIF players show a frame for when the file gives no delay.
constexpr int UnknownFrameDelayMs = 100;

// What FFmpeg's own planes have beyond their rows: room for SIMD reads past the end.
constexpr std::size_t PlanePadding = 16 + 64 - 1;

int openError(int error)
{
    if (error == AVERROR(ENOENT) || error == AVERROR(EACCES) || error == AVERROR(EISDIR))
        return MediaCannotOpen;
    if (error == AVERROR_EXIT)
        return MediaTimeout;
    return MediaUnsupported;
}

bool isValid(AVRational rate)
{
    return rate.num > 0 && rate.den > 0;
}

qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? LLONG_MAX : LLONG_MIN;
    return sum;
}

bool hasPicture(const AVFrame& frame)
{
    return frame.data[0] != nullptr;
}

// Moves a decoded frame into the slot kept for repeating it.
void keepAsPrevious(AVFrame* previous, AVFrame* frame)
{
    av_frame_unref(previous);
    av_frame_move_ref(previous, frame);
}

// A file in memory has nothing else to open.
int refuseToOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**)
{
    return AVERROR(EPERM);
}

} // namespace

FrameTurn frameTurnOf(const std::int32_t* matrix)
{
    if (!matrix)
        return {};
    // The angle as FFmpeg's tools round it, clockwise, within 0..360.
    double theta = -std::round(av_display_rotation_get(matrix));
    theta -= 360 * std::floor(theta / 360 + 0.9 / 360);
    auto near = [theta](double angle) { return std::abs(theta - angle) < 1.0; };
    if (near(90))
        return matrix[3] > 0 ? FrameTurn{1, true, false} : FrameTurn{1, false, false};
    if (near(180))
        return {0, matrix[0] < 0, matrix[4] < 0};
    if (near(270))
        return matrix[3] < 0 ? FrameTurn{1, false, true} : FrameTurn{3, false, false};
    if (near(0) || near(360))
        return {0, false, matrix[4] < 0};
    return {};
}

std::optional<VideoContainer> videoContainerOf(QStringView suffix)
{
    if (suffix == u"avi")
        return VideoContainer::Avi;
    if (suffix == u"mp4" || suffix == u"m4v" || suffix == u"mov")
        return VideoContainer::Mp4;
    if (suffix == u"mkv" || suffix == u"webm")
        return VideoContainer::Matroska;
    if (suffix == u"gif")
        return VideoContainer::Gif;
    return std::nullopt;
}

int VideoFile::open(const QString& path, VideoContainer container, std::unique_ptr<MediaFile>& out,
                    DeadlineClock clock, std::shared_ptr<FrameBufferPool> buffers, int threads)
{
    std::unique_ptr<VideoFile> video(new VideoFile(path, container, std::move(clock), std::move(buffers)));
    video->threads_ = threads > 0 ? threads : int(std::max(1u, std::thread::hardware_concurrency()));
    return start(std::move(video), out);
}

int VideoFile::openBytes(const QByteArray& bytes, VideoContainer container, std::unique_ptr<MediaFile>& out,
                         DeadlineClock clock)
{
    std::unique_ptr<VideoFile> video(new VideoFile(QString(), container, std::move(clock), {}));
    video->memory_.emplace(bytes, video->deadline_);
    return start(std::move(video), out);
}

int VideoFile::start(std::unique_ptr<VideoFile> video, std::unique_ptr<MediaFile>& out)
{
    ffmpeg::silenceLog();
    if (!video->buffers_)
        video->buffers_ = FrameBufferPool::create();
    video->deadline_.restart();
    if (const int rc = video->openStream())
        return rc;
    if (const int rc = video->readStreamInfo())
        return rc;
    out = std::move(video);
    return MediaOk;
}

// Opens the demuxer and decoder positioned at the first frame.
int VideoFile::openStream()
{
    codec_.reset();
    format_.reset();
    io_.reset();
    stream_ = nullptr;

    AVFormatContext* context = avformat_alloc_context();
    if (!context)
        return MediaCannotOpen;
    context->interrupt_callback = {&DecodeDeadline::interrupt, &deadline_};
    if (const int rc = openInput(context))
        return rc;

    streamIndex_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (streamIndex_ < 0)
        return MediaNoFrames;
    stream_ = format_->streams[streamIndex_];
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        if (int(i) != streamIndex_)
            format_->streams[i]->discard = AVDISCARD_ALL;
    }

    const AVCodecParameters* parameters = stream_->codecpar;
    // MPEG-4 Visual in MOV leaves the size to its frames: the first one tells it.
    const bool sizeInFrames =
        container_ != VideoContainer::Avi && parameters->width == 0 && parameters->height == 0;
    if (!sizeInFrames && (parameters->width <= 0 || parameters->height <= 0))
        return MediaCorrupt;
    if (exceedsPictureLimits(parameters->width, parameters->height))
        return MediaTooLarge;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (!decoder)
        return MediaUnsupported;
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(parameters->codec_id);
    intraOnly_ = descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
    codec_.reset(avcodec_alloc_context3(decoder));
    if (!codec_ || avcodec_parameters_to_context(codec_.get(), parameters) < 0)
        return MediaCorrupt;
    codec_->opaque = this;
    codec_->get_buffer2 = &VideoFile::getBuffer; // thread-safe: the pool locks
    // A frame that decodes alone is asked for alone, where frame threads would only hold it back.
    codec_->thread_count = intraOnly_ ? 1 : threads_;
    codec_->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    // Frames whose own header claims a larger size than the stream are refused by the decoder.
    codec_->max_pixels = MaxDecodedBytes / 3;
    if (avcodec_open2(codec_.get(), decoder, nullptr) < 0)
        return MediaUnsupported;

    if (!packet_)
        packet_.reset(av_packet_alloc());
    if (!frame_)
        frame_.reset(av_frame_alloc());
    if (!previous_)
        previous_.reset(av_frame_alloc());
    if (!packet_ || !frame_ || !previous_)
        return MediaCannotOpen;
    av_frame_unref(previous_.get());
    fedPages_.clear();
    nextPage_ = 1;
    lastPage_ = 0;
    draining_ = false;
    return MediaOk;
}

// Takes the context, freed on failure. The container's own demuxer only, on local files or
// memory only.
int VideoFile::openInput(AVFormatContext* context)
{
    ffmpeg::Dictionary options;
    options.set("format_whitelist", AllowedDemuxers);
    if (container_ == VideoContainer::Gif)
        options.set("ignore_loop", "1"); // a looping GIF would never end
    QByteArray url;
    if (memory_) {
        io_ = memory_->open();
        if (!io_) {
            avformat_free_context(context);
            return MediaCannotOpen;
        }
        context->pb = io_.get();
        context->io_open = &refuseToOpen;
    } else {
        options.set("protocol_whitelist", "file");
        url = "file:" + QFile::encodeName(path_);
    }
    const int opened = avformat_open_input(&context, url.constData(),
                                           av_find_input_format(demuxerName(container_)), options.address());
    format_.reset(context); // null when opening failed
    // Input stopped by the deadline fails as whatever the half-read header gives.
    if (opened < 0)
        return deadline_.passed() ? MediaTimeout : openError(opened);
    return MediaOk;
}

int VideoFile::readStreamInfo()
{
    timeBase_ = stream_->time_base;
    if (!isValid(timeBase_))
        return MediaCorrupt;
    if (isValid(stream_->avg_frame_rate))
        frameRate_ = stream_->avg_frame_rate;
    else if (isValid(stream_->r_frame_rate))
        frameRate_ = stream_->r_frame_rate;
    else if (container_ == VideoContainer::Avi)
        frameRate_ = av_inv_q(timeBase_); // AVI time bases are one frame
    // Frames closer than the time base's step can't be told apart by their timestamps.
    if (container_ != VideoContainer::Avi && av_cmp_q(frameRate_, av_inv_q(timeBase_)) > 0)
        frameRate_ = AVRational{0, 1};

    if (stream_->start_time != AV_NOPTS_VALUE)
        startPts_ = stream_->start_time;
    else if (const AVIndexEntry* first = avformat_index_get_entry(stream_, 0))
        startPts_ = first->timestamp;

    // GIF delays vary from frame to frame: its pages follow the timestamps, never a rate.
    qint64 frames = container_ != VideoContainer::Gif && isValid(frameRate_) ? announcedFrameCount() : 0;
    if (frames > 0 || container_ == VideoContainer::Avi) {
        frameDelayMs_ = int(std::min<qint64>(1000LL * frameRate_.den / frameRate_.num, INT_MAX));
    } else if (const int rc = countFrames(frames)) {
        return rc;
    }
    // Within what the file can hold, a cut-short file keeps the count its header gives, and the
    // frames it lost load black.
    const qint64 fileSize = avio_size(format_->pb);
    if (fileSize >= 0)
        frames = std::min(frames, fileSize / MinFrameBytes);
    if (frames <= 0)
        return MediaNoFrames;
    if (frames > INT_MAX)
        return MediaCorrupt;
    frameCount_ = int(frames);
    frameSize_ = QSize(stream_->codecpar->width, stream_->codecpar->height);
    if (frameSize_.isEmpty()) {
        if (const int rc = readFirstFrameSize())
            return rc;
    }
    return useDisplayShape();
}

// Frames come out at the size and the way up a player shows them.
int VideoFile::useDisplayShape()
{
    const AVRational shape = av_guess_sample_aspect_ratio(format_.get(), stream_, nullptr);
    scaledSize_ = frameSize_;
    if (isValid(shape) && av_cmp_q(shape, AVRational{1, 1}) != 0)
        scaledSize_.setWidth(
            int(std::max<qint64>(1, std::llround(double(frameSize_.width()) * shape.num / shape.den))));
    if (exceedsPictureLimits(scaledSize_.width(), scaledSize_.height()))
        return MediaTooLarge;
    turn_ = frameTurnOf(reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(stream_, AV_PKT_DATA_DISPLAYMATRIX, nullptr)));
    frameSize_ = turn_.quarterTurns % 2 != 0 ? scaledSize_.transposed() : scaledSize_;
    return MediaOk;
}

// Decodes the first frame for the size, then starts over.
int VideoFile::readFirstFrameSize()
{
    const int decoded = decodeNextFrame();
    if (decoded == EndOfStream)
        return MediaNoFrames;
    if (decoded != MediaOk)
        return decoded;
    if (frame_->width <= 0 || frame_->height <= 0)
        return MediaCorrupt;
    if (exceedsPictureLimits(frame_->width, frame_->height))
        return MediaTooLarge;
    frameSize_ = QSize(frame_->width, frame_->height);
    av_frame_unref(frame_.get());
    return openStream();
}

// The count the headers give: the AVI index, else the stream's frame count, else its duration
// at the frame rate; 0 when they give none.
qint64 VideoFile::announcedFrameCount() const
{
    qint64 frames = container_ == VideoContainer::Avi ? indexedFrameCount() : 0;
    if (frames <= 0)
        frames = stream_->nb_frames;
    if (frames <= 0) {
        const AVRational frameDuration = av_inv_q(frameRate_);
        if (stream_->duration > 0)
            frames = av_rescale_q(stream_->duration, timeBase_, frameDuration);
        else if (format_->duration > 0)
            frames = av_rescale_q(format_->duration, AVRational{1, AV_TIME_BASE}, frameDuration);
    }
    return frames;
}

// The page of the index's last entry. The index lists every chunk of the stream but drop
// frames, which only advance its timestamps; 0 when the file has no index.
qint64 VideoFile::indexedFrameCount() const
{
    const int entries = avformat_index_get_entries_count(stream_);
    const AVIndexEntry* last = entries > 0 ? avformat_index_get_entry(stream_, entries - 1) : nullptr;
    qint64 offset = 0;
    if (!last || __builtin_sub_overflow(last->timestamp, startPts_, &offset))
        return 0;
    return pageAtOffset(offset);
}

// Reads every packet of the stream once, without decoding, for the frames' timestamps and the
// mean of their durations, then starts over.
int VideoFile::countFrames(qint64& frames)
{
    std::vector<qint64> timestamps;
    qint64 totalDuration = 0;
    for (;;) {
        if (deadline_.passed())
            return MediaTimeout;
        const int read = av_read_frame(format_.get(), packet_.get());
        if (read == AVERROR_EXIT)
            return MediaTimeout;
        if (read == AVERROR(EAGAIN))
            continue;
        if (read < 0)
            break; // the end, or data the demuxer can't follow: the frames before it count
        ffmpeg::PacketUnrefGuard unref(packet_.get());
        const qint64 pts = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
        // Packets marked discard decode to no frame (those an edit list cuts off).
        if (packet_->stream_index != streamIndex_ || packet_->size <= 0 || pts == AV_NOPTS_VALUE ||
            (packet_->flags & AV_PKT_FLAG_DISCARD))
            continue;
        timestamps.push_back(pts);
        if (packet_->duration > 0)
            totalDuration = saturatingAdd(totalDuration, packet_->duration);
    }
    std::sort(timestamps.begin(), timestamps.end());
    timestamps.erase(std::unique(timestamps.begin(), timestamps.end()), timestamps.end());
    if (timestamps.empty())
        return MediaNoFrames;
    startPts_ = timestamps.front();
    frameOffsets_.clear();
    for (const qint64 pts : timestamps)
        frameOffsets_.push_back(pts - startPts_); // no overflow: the smallest is subtracted
    frames = qint64(frameOffsets_.size());
    if (totalDuration <= 0 && frames > 1)
        totalDuration = av_rescale(frameOffsets_.back(), frames, frames - 1);
    const qint64 totalMs = av_rescale_q(totalDuration, timeBase_, AVRational{1, 1000});
    frameDelayMs_ = totalMs > 0 ? int(std::min<qint64>(totalMs / frames, INT_MAX)) : UnknownFrameDelayMs;
    return openStream();
}

// Decoded frames take pooled memory, so that a file opened later reuses this one's planes. The
// layout is FFmpeg's own; formats it treats specially keep FFmpeg's memory.
int VideoFile::getBuffer(AVCodecContext* context, AVFrame* frame, int flags)
{
    const auto format = AVPixelFormat(frame->format);
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
    if (!(context->codec->capabilities & AV_CODEC_CAP_DR1) || !descriptor ||
        (descriptor->flags & (AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL)) || frame->width <= 0 ||
        frame->height <= 0 || frame->width > MaxPictureSide || frame->height > MaxPictureSide)
        return avcodec_default_get_buffer2(context, frame, flags);
    int width = frame->width;
    int height = frame->height;
    int strideAlign[AV_NUM_DATA_POINTERS] = {};
    avcodec_align_dimensions2(context, &width, &height, strideAlign);
    int linesize[4] = {};
    for (bool aligned = false; !aligned;) {
        if (width > 4 * MaxPictureSide || av_image_fill_linesizes(linesize, format, width) < 0)
            return avcodec_default_get_buffer2(context, frame, flags);
        aligned = true;
        for (int i = 0; i < 4; ++i)
            aligned = aligned && (strideAlign[i] <= 0 || linesize[i] % strideAlign[i] == 0);
        width += aligned ? 0 : width & ~(width - 1);
    }
    const ptrdiff_t linesizes[4] = {linesize[0], linesize[1], linesize[2], linesize[3]};
    std::size_t sizes[4] = {};
    if (av_image_fill_plane_sizes(sizes, format, height, linesizes) < 0)
        return avcodec_default_get_buffer2(context, frame, flags);
    FrameBufferPool& buffers = *static_cast<VideoFile*>(context->opaque)->buffers_;
    for (int i = 0; i < 4 && sizes[i] > 0; ++i) {
        frame->buf[i] = buffers.takePlane(sizes[i] + PlanePadding);
        if (!frame->buf[i]) {
            for (int j = 0; j < i; ++j)
                av_buffer_unref(&frame->buf[j]);
            return AVERROR(ENOMEM);
        }
        frame->data[i] = frame->buf[i]->data;
        frame->linesize[i] = linesize[i];
    }
    frame->extended_data = frame->data;
    return 0;
}

// The way back when the index can't take us to a frame, and for a GIF, whose frames draw over
// the ones before: reopen and decode from the start.
int VideoFile::rewind()
{
    return openStream();
}

int VideoFile::keep(int firstPage, int count)
{
    PageRange range;
    if (const int rc = clampPageRange(firstPage, count, frameCount_, range))
        return rc;
    return keepRange(range);
}

int VideoFile::load(int firstPage, int count, QList<QImage>& frames)
{
    QList<InputPicture> pictures;
    if (const int rc = loadPictures(firstPage, count, pictures))
        return rc;
    QList<QImage> block;
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        // A page that repeats the one before shares its bitmap.
        if (i > 0 && pictures[i].sharesPixelsWith(pictures[i - 1])) {
            block.append(block.back());
            continue;
        }
        QImage image = pictures[i].toImage();
        if (image.isNull())
            return MediaTooLarge; // out of memory
        block.append(std::move(image));
    }
    frames = std::move(block);
    return MediaOk;
}

int VideoFile::loadPictures(int firstPage, int count, QList<InputPicture>& pictures)
{
    PageRange range;
    if (const int rc = clampPageRange(firstPage, count, frameCount_, range))
        return rc;
    const bool kept = !kept_.empty() && range.first >= keptFirst_ &&
                      range.first + range.count <= keptFirst_ + qint64(kept_.size());
    if (!kept) {
        if (const int rc = keepRange(range))
            return rc;
    }
    buffers_->keepAtLeast(range.count); // enough for the next block once the caller drops this one
    QList<InputPicture> block;
    for (qint64 page = range.first; page < range.first + range.count; ++page) {
        const AVFrame* frame = kept_[std::size_t(page - keptFirst_)].get();
        const AVFrame* before = page > keptFirst_ ? kept_[std::size_t(page - keptFirst_ - 1)].get() : nullptr;
        InputPicture picture;
        // A drop frame shares its picture with the frame before, and damaged frames their black.
        if (page > range.first && (frame ? before && before->data[0] == frame->data[0] : !before))
            picture = block.back();
        else if (const int rc = frame ? pictureOf(*frame, picture) : blackFrame(picture))
            return rc;
        block.append(std::move(picture));
    }
    pictures = std::move(block);
    return MediaOk;
}

int VideoFile::keepRange(const PageRange& range)
{
    deadline_.restart();
    kept_.clear(); // the decoder's memory goes back before the next block is decoded
    std::vector<ffmpeg::FramePtr> block;
    if (const int rc = decodeBlock(range, block)) {
        nextPage_ = 0;
        return rc;
    }
    kept_ = std::move(block);
    keptFirst_ = range.first;
    return MediaOk;
}

int VideoFile::decodeBlock(const PageRange& range, std::vector<ffmpeg::FramePtr>& block)
{
    if (!format_ || !codec_) { // a failed rewind left nothing open
        if (const int rc = rewind())
            return rc;
    }
    if (!continuesTo(range.first)) {
        if (const int rc = seekTo(range.first))
            return rc;
    }
    return collectFrames(range, block);
}

// Where a seek may land: the last key frame at or before the page, or for a stream of frames
// that decode alone the last frame with data (the page itself unless it is a drop frame).
int VideoFile::seekFlags() const
{
    return AVSEEK_FLAG_BACKWARD | (intraOnly_ ? AVSEEK_FLAG_ANY : 0);
}

// True when decoding on from the current position reaches the page at least as soon as a
// seek would, that is when no place a seek could land lies between.
bool VideoFile::continuesTo(qint64 page) const
{
    if (nextPage_ == 0 || page < nextPage_)
        return false;
    if (container_ == VideoContainer::Gif)
        return true;
    const AVIndexEntry* landing = avformat_index_get_entry_from_timestamp(stream_, ptsOf(page), seekFlags());
    return !landing || landing->timestamp <= ptsOf(nextPage_);
}

int VideoFile::seekTo(qint64 page)
{
    if (container_ == VideoContainer::Gif)
        return rewind();
    if (av_seek_frame(format_.get(), streamIndex_, ptsOf(page), seekFlags()) < 0)
        return rewind();
    avcodec_flush_buffers(codec_.get());
    av_frame_unref(previous_.get());
    fedPages_.clear();
    draining_ = false;
    consecutiveErrors_ = 0;
    nextPage_ = 0;
    lastPage_ = page - 1;
    return MediaOk;
}

// Decodes on until the range is delivered or the stream ends, keeping the frames unconverted (a
// null entry for a black one). Frames before the range are decoded (later frames may depend on
// them) but not kept.
int VideoFile::collectFrames(const PageRange& range, std::vector<ffmpeg::FramePtr>& block)
{
    qint64 expected = range.first;
    bool blockEndsInGap = false;
    while (qsizetype(block.size()) < range.count) {
        const int rc = decodeNextFrame();
        if (rc == EndOfStream)
            break;
        if (rc != MediaOk)
            return rc;
        const qint64 page = pageOf(*frame_);
        lastPage_ = page;
        if (page < expected) {
            fedPages_.erase(fedPages_.begin(), fedPages_.upper_bound(page));
            keepAsPrevious(previous_.get(), frame_.get());
            continue;
        }
        if (page > expected) {
            if (const int rc = fillGap(page, range, expected, block))
                return rc;
            deadline_.restart();
            if (qsizetype(block.size()) == range.count) {
                blockEndsInGap = true;
                break;
            }
        }
        fedPages_.erase(fedPages_.begin(), fedPages_.upper_bound(page));
        ffmpeg::FramePtr kept(av_frame_clone(frame_.get()));
        if (!kept)
            return MediaTooLarge; // out of memory
        block.push_back(std::move(kept));
        ++expected;
        // Each delivered frame earns a new deadline; frames skipped on the way do not.
        deadline_.restart();
        keepAsPrevious(previous_.get(), frame_.get());
    }
    // After draining, or with a decoded frame left undelivered, only a seek gets back in step.
    nextPage_ = draining_ || blockEndsInGap ? 0 : expected;
    // The stream ended before the pages its count gives: damaged frames.
    block.resize(std::size_t(range.count));
    return MediaOk;
}

// Pages before `page` that the decoder gave no frame for. Drop frames (AVI's empty chunks, pages
// a variable frame rate skips) show the frame before again (before the first frame of the file,
// the first one); a page whose data did not decode is black, and so are drop frames after it,
// which repeat it.
int VideoFile::fillGap(qint64 page, const PageRange& range, qint64& expected,
                       std::vector<ffmpeg::FramePtr>& block)
{
    bool damaged = false;
    for (; expected < page && qsizetype(block.size()) < range.count; ++expected) {
        damaged = damaged || fedPages_.contains(expected);
        if (damaged) {
            block.emplace_back();
            continue;
        }
        ffmpeg::FramePtr repeated(av_frame_clone(hasPicture(*previous_) ? previous_.get() : frame_.get()));
        if (!repeated)
            return MediaTooLarge; // out of memory
        block.push_back(std::move(repeated));
    }
    return MediaOk;
}

int VideoFile::blackFrame(InputPicture& black)
{
    QImage image = buffers_->take(frameSize_, QImage::Format_RGB888);
    if (image.isNull())
        return MediaTooLarge; // out of memory
    image.fill(Qt::black);
    black = InputPicture(std::move(image));
    return MediaOk;
}

int VideoFile::decodeNextFrame()
{
    for (;;) {
        if (deadline_.passed())
            return MediaTimeout;
        const int received = avcodec_receive_frame(codec_.get(), frame_.get());
        if (received == 0) {
            consecutiveErrors_ = 0;
            ++framesDecoded_;
            return MediaOk;
        }
        if (received == AVERROR_EOF)
            return EndOfStream;
        if (received != AVERROR(EAGAIN)) {
            // A damaged frame: its page comes out black.
            if (const int rc = noteDecodeError())
                return rc;
            continue;
        }
        if (draining_)
            return EndOfStream;
        if (const int rc = feedPacket())
            return rc;
    }
}

int VideoFile::feedPacket()
{
    const int read = av_read_frame(format_.get(), packet_.get());
    if (read == AVERROR_EXIT)
        return MediaTimeout;
    if (read == AVERROR(EAGAIN))
        return MediaOk;
    if (read < 0) { // the end, or data the demuxer can't follow: take what the decoder holds
        draining_ = true;
        avcodec_send_packet(codec_.get(), nullptr);
        return MediaOk;
    }
    ffmpeg::PacketUnrefGuard unref(packet_.get());
    // Empty chunks are drop frames; an empty packet would tell the decoder the stream ended.
    if (packet_->stream_index != streamIndex_ || packet_->size <= 0)
        return MediaOk;
    const qint64 pts = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    qint64 offset = 0;
    if (pts != AV_NOPTS_VALUE && !__builtin_sub_overflow(pts, startPts_, &offset))
        fedPages_.insert(pageAtOffset(offset));
    const int sent = avcodec_send_packet(codec_.get(), packet_.get());
    if (sent < 0 && sent != AVERROR(EAGAIN))
        return noteDecodeError();
    return MediaOk;
}

int VideoFile::noteDecodeError()
{
    return ++consecutiveErrors_ > MaxConsecutiveErrors ? MediaCorrupt : MediaOk;
}

qint64 VideoFile::pageOf(const AVFrame& frame) const
{
    const qint64 pts =
        frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
    qint64 offset = 0;
    if (pts == AV_NOPTS_VALUE || __builtin_sub_overflow(pts, startPts_, &offset))
        return lastPage_ + 1;
    return pageAtOffset(offset);
}

// The page of a timestamp counted from the stream's start; 0 before the first.
qint64 VideoFile::pageAtOffset(qint64 offset) const
{
    if (!frameOffsets_.empty()) // the last frame at or before it
        return std::upper_bound(frameOffsets_.begin(), frameOffsets_.end(), offset) - frameOffsets_.begin();
    const qint64 index = av_rescale_q_rnd(offset, timeBase_, av_inv_q(frameRate_), AV_ROUND_NEAR_INF);
    return std::clamp<qint64>(index, -1, INT_MAX - 1) + 1;
}

qint64 VideoFile::ptsOf(qint64 page) const
{
    if (!frameOffsets_.empty())
        return startPts_ +
               frameOffsets_[std::size_t(std::clamp<qint64>(page - 1, 0, qint64(frameOffsets_.size()) - 1))];
    return saturatingAdd(startPts_, av_rescale_q(page - 1, av_inv_q(frameRate_), timeBase_));
}

// Frames of the formats video codecs give stay as decoded; others are converted now.
int VideoFile::pictureOf(const AVFrame& frame, InputPicture& picture)
{
    if (frame.width <= 0 || frame.height <= 0)
        return MediaCorrupt;
    const InputPicture decoded = InputPicture::ofDecodedFrame(frame, {scaledSize_, turn_}, buffers_);
    if (decoded.isNull())
        return MediaTooLarge; // out of memory
    if (InputPicture::keepsDecoded(frame.format)) {
        picture = decoded;
        return MediaOk;
    }
    QImage image = decoded.toImage();
    if (image.isNull())
        return MediaCorrupt;
    picture = InputPicture(std::move(image));
    return MediaOk;
}

} // namespace vantrel
