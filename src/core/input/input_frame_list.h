#pragma once

#include "core/input/media_file.h"

#include <QImage>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace vantrel {

class FrameBufferPool;

// One added file: a still picture gives one input frame, a video one per video frame. Only the
// current file of its list keeps decoded frames: one block of at most 10.
class TInputFile
{
public:
    static constexpr int FrameBlockSize = 10;

    // A file opened by the list; `media` stays open while the file is current.
    TInputFile(QString fileName, std::unique_ptr<MediaFile> media);
    ~TInputFile();

    const QString& FileName() const { return fileName_; }
    int FrameCount() const { return frameCount_; }
    int FrameDelay() const { return frameDelayMs_; } // milliseconds; 0 for a still picture
    int FirstFrame() const { return firstFrame_; }
    int BlockStart() const { return blockStart_; } // local number of the block's first frame
    bool holdsBlock() const { return !block_.isEmpty(); }

    // Makes global frame n this file's selected frame, decoding its block unless it is decoded
    // already and `force` is false. False, changing nothing, for a frame outside the file; a
    // block that can't be decoded gives false with the decoder's code in `result`.
    bool LoadFrame(int n, bool force, int* result = nullptr);
    // The selected frame; null before any load.
    QImage frame() const;
    // A black picture of the file's frame size, for a frame that can't be had.
    QImage blackFrame() const;
    // Frees the decoded block and closes the file.
    void release();

private:
    friend class TInputFrameList;

    QString fileName_;
    int frameCount_ = 0;
    int frameDelayMs_ = 0;
    QSize frameSize_;
    int firstFrame_ = 0;
    int blockStart_ = 0;
    int blockIndex_ = 0;
    QList<QImage> block_;
    std::unique_ptr<MediaFile> media_; // open while the file is current
};

// The added files as one sequence of numbered input frames (0-based here, 1-based on screen).
class TInputFrameList
{
public:
    TInputFrameList();
    ~TInputFrameList();
    TInputFrameList(const TInputFrameList&) = delete;
    TInputFrameList& operator=(const TInputFrameList&) = delete;

    // Examines the file and decodes its first frame, as the add command does before it asks
    // where the file goes: 0 with the file's frame count, or a negative MediaResult.
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
    int SelectFrame(int n, QImage& frame);

    int TotalFrames() const { return totalFrames_; }
    int CurrentFrame() const { return currentFrame_; }
    bool isEmpty() const { return files_.empty(); }
    // The current file; null for an empty list.
    const TInputFile* Current() const;
    int fileCount() const { return static_cast<int>(files_.size()); }
    const TInputFile& file(int index) const { return *files_[static_cast<std::size_t>(index)]; }

private:
    int add(const QString& path, bool after);
    void renumber();

    std::vector<std::unique_ptr<TInputFile>> files_;
    std::size_t current_ = 0;
    int totalFrames_ = 0;
    int currentFrame_ = 0;
};

} // namespace vantrel
