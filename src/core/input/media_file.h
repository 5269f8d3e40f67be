#pragma once

#include "core/input/input_picture.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>

namespace vantrel {

class FrameBufferPool;

// Result codes of the decoders: 0 success, negative when the file can't be examined or decoded.
enum MediaResult : int {
    MediaOk = 0,
    MediaCannotOpen = -1,  // missing or unreadable
    MediaUnsupported = -2, // not a picture or video this program reads
    MediaCorrupt = -3,     // the data does not decode
    MediaTooLarge = -4,    // over the size limits, refused before decoding
    MediaTimeout = -5,     // decoding took longer than the deadline
    MediaNoFrames = -6,    // nothing to decode at the asked page
};

// Limits for any input picture or video frame.
inline constexpr int MaxPictureSide = 16384;
inline constexpr qint64 MaxDecodedBytes = 64LL * 1024 * 1024;

// One input file, still picture or video, kept open between block loads. An object is
// used by one thread at a time; separate objects may load in parallel.
class MediaFile
{
public:
    virtual ~MediaFile() = default;

    // Opens and examines the file (headers only, no frame decoded). The kind is chosen from the
    // extension without regard to case: .jpg .jpeg .png .bmp pictures, .avi .mp4 .m4v .mov .mkv
    // .webm .gif video. Frames
    // take their memory from `buffers` when given (a pool that outlives the file), else from
    // memory of the file's own.
    static int open(const QString& path, std::unique_ptr<MediaFile>& out,
                    std::shared_ptr<FrameBufferPool> buffers = {});

    virtual int frameCount() const = 0;   // 1 for a still picture
    virtual int frameDelayMs() const = 0; // whole milliseconds per frame; 0 for a still picture
    virtual QSize frameSize() const = 0;
    // The size before any reduction to fit in memory; larger than frameSize() when reduced.
    virtual QSize fullSize() const { return frameSize(); }
    // True when every frame decodes without the ones before it, so that a frame can be had
    // for the cost of one decode.
    virtual bool decodesFramesAlone() const = 0;
    // Frames the decoder made since the file was opened, those decoded only to reach a later
    // frame included.
    virtual qint64 framesDecoded() const = 0;

    // Decodes up to count frames from the 1-based first page (page 0 means page 1) as 24-bit
    // bitmaps, replacing the contents of frames only on success. A page after the last, a
    // negative page or a count below 1 give MediaNoFrames.
    virtual int load(int firstPage, int count, QList<QImage>& frames) = 0;
    // The same frames as pictures that convert only the pixels asked of them (a video's frames
    // stay as decoded); replaces the contents of pictures only on success.
    virtual int loadPictures(int firstPage, int count, QList<InputPicture>& pictures)
    {
        QList<QImage> frames;
        if (const int rc = load(firstPage, count, frames))
            return rc;
        QList<InputPicture> loaded;
        for (QImage& frame : frames)
            loaded.append(InputPicture(std::move(frame)));
        pictures = std::move(loaded);
        return MediaOk;
    }
    // Decodes the same frames as load without converting them, replacing what was kept before:
    // a later load within them converts the frames it asks for and decodes nothing.
    virtual int keep(int firstPage, int count) = 0;
};

// A short English description of a MediaResult, for the command-line tool.
QString mediaResultMessage(int code);

// Frame count of a file without decoding it.
int GetFileInfo(const QString& path, int& totalPages);

// One-shot load of up to count frames from the 1-based first page.
int LoadPages(const QString& path, int firstPage, int count, QList<QImage>& frames, int* delayMs = nullptr);

} // namespace vantrel
