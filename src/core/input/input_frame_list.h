#pragma once

#include "core/app/error_text.h"
#include "core/input/media_file.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace vantrel {

class FrameBufferPool;

// One added file: a still picture gives one input frame, a video one per video frame. Only the
// current file of its list keeps decoded frames, and only of one block of 10 (local frames
// 10k..10k + 9). A video whose frames need the ones before them decodes its blocks whole; one
// whose frames decode alone decodes only the frames asked for. Either way no frame of the
// block is decoded twice while the block is kept, and a video's frames stay as decoded until
// their pixels are asked for.
class TInputFile
{
public:
    static constexpr int FrameBlockSize = 10;

    // A file opened by the list; `media` stays open while the file is current. Frames of the
    // file, opened again later, take their memory from `buffers` when given.
    TInputFile(QString fileName, std::unique_ptr<MediaFile> media,
               std::shared_ptr<FrameBufferPool> buffers = {});
    ~TInputFile();

    const QString& FileName() const { return fileName_; }
    int FrameCount() const { return frameCount_; }
    QSize FrameSize() const { return frameSize_; }
    // The picture's own size; larger than FrameSize() when it was read reduced to fit in memory.
    QSize FullSize() const { return fullSize_; }
    int FrameDelay() const { return frameDelayMs_; } // milliseconds; 0 for a still picture
    int FirstFrame() const { return firstFrame_; }
    bool holdsBlock() const { return !heldFrames().isEmpty(); }
    // Global numbers of the frames held decoded, in order.
    QList<int> heldFrames() const;
    // Frames decoded for this file, those decoded only to reach another included.
    qint64 framesDecoded() const { return framesDecoded_; }

    // Makes global frame n this file's selected frame, decoding what it needs unless it is
    // decoded already and `force` is false (force drops the block first). False, changing
    // nothing, for a frame outside the file; a frame that can't be decoded gives false with
    // the decoder's code in `result`, also when the file changed or vanished on disk so that
    // its frames no longer fit its place in the list.
    bool LoadFrame(int n, bool force, int* result = nullptr);
    // The selected frame; null before any load.
    InputPicture frame() const;
    // A black picture of the file's frame size, for a frame that can't be had.
    InputPicture blackFrame() const;
    // Frees the decoded block and closes the file.
    void release();

private:
    friend class TInputFrameList;

    // What tells a file replaced or rewritten on disk since it was opened.
    struct Stamp
    {
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    int openMedia();

    QString fileName_;
    int frameCount_ = 0;
    int frameDelayMs_ = 0;
    QSize frameSize_;
    QSize fullSize_;
    int firstFrame_ = 0;
    int blockStart_ = 0;
    int blockIndex_ = 0;
    QList<InputPicture> block_; // slots of the block from blockStart_; null: not loaded
    bool blockDecoded_ = false; // the whole block is decoded and kept by media_
    std::shared_ptr<FrameBufferPool> buffers_;
    std::unique_ptr<MediaFile> media_; // open while the file is current
    Stamp stamp_;                      // of the file media_ read
    qint64 framesDecoded_ = 0;
};

// The added files as one sequence of numbered input frames (0-based here, 1-based on screen).
class TInputFrameList
{
public:
    TInputFrameList();
    ~TInputFrameList();
    TInputFrameList(const TInputFrameList&) = delete;
    TInputFrameList& operator=(const TInputFrameList&) = delete;

    // Probe's code for a file that yields no frame (the error box's item 7).
    static constexpr int ProbeNoFrames = 7;

    // Examines the file and decodes its first frame, as the add command does before it asks
    // where the file goes: 0 with the file's frame count, ProbeNoFrames, or a negative
    // MediaResult.
    static int Probe(const QString& path, int& frameCount);

    // Insert the file before or after the current file (at the start of an empty list); the
    // new file becomes current with its first frame selected. 0, or the decoder's code with
    // the list unchanged.
    int AddBefore(const QString& path);
    int AddAfter(const QString& path);
    // Removes the current file; the next one (the previous one when it was last) becomes
    // current. CurrentFrame() is left as it was.
    void DeleteCurrent();
    void Clear();

    // Makes global frame n current and gives it in `frame`. 0; or the decoder's code when the
    // file changed or vanished since it was added, with `frame` a black picture of the file's
    // size (null when the size is unknown). Numbers >= TotalFrames() change nothing.
    int SelectFrame(int n, InputPicture& frame);
    // The same, converted whole.
    int SelectFrame(int n, QImage& frame);
    // The picture size of global frame n as its file announced it, without decoding; an empty
    // size outside 0..TotalFrames() - 1.
    QSize FrameSize(int n) const;

    int TotalFrames() const { return totalFrames_; }
    int CurrentFrame() const { return currentFrame_; }
    // Frames decoded since the list was made, for files since removed too.
    qint64 framesDecoded() const;
    // Frame buffers taken from the system so far; later blocks of any file reuse them.
    qint64 frameBuffersAllocated() const;
    bool isEmpty() const { return files_.empty(); }
    // The current file; null for an empty list.
    const TInputFile* Current() const;
    int fileCount() const { return static_cast<int>(files_.size()); }
    const TInputFile& file(int index) const { return *files_[static_cast<std::size_t>(index)]; }

private:
    int add(const QString& path, bool after);
    // The file holding global frame n (0..TotalFrames() - 1).
    std::size_t fileIndexOf(int n) const;
    void renumber();

    // Pixel memory outlives the files: the next block, of this file or another of the same
    // size, reuses the last one's.
    std::shared_ptr<FrameBufferPool> buffers_;
    std::vector<std::unique_ptr<TInputFile>> files_;
    std::size_t current_ = 0;
    int totalFrames_ = 0;
    int currentFrame_ = 0;
    qint64 removedFramesDecoded_ = 0;
};

// The window's error box item for a code of the list or of a run through it: a negative
// MediaResult shows item 0, ProbeNoFrames item 7.
ErrorItem inputErrorItem(int code);

} // namespace vantrel
