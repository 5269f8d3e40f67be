#include "core/input/input_frame_list.h"

#include "core/imaging/bitmap.h"
#include "core/input/frame_buffer_pool.h"

#include <QFileInfo>

namespace vantrel {

TInputFile::TInputFile(QString fileName, std::unique_ptr<MediaFile> media,
                       std::shared_ptr<FrameBufferPool> buffers)
    : fileName_(std::move(fileName)), frameCount_(media->frameCount()), frameDelayMs_(media->frameDelayMs()),
      frameSize_(media->frameSize()), fullSize_(media->fullSize()), buffers_(std::move(buffers)),
      media_(std::move(media)), stamp_(stampOf(fileName_))
{}

TInputFile::~TInputFile() = default;

TInputFile::Stamp TInputFile::stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

// (Re)opens the file when it is closed or changed on disk since it was opened. Its frames must
// still fit the numbers the list gave them.
int TInputFile::openMedia()
{
    const Stamp now = stampOf(fileName_);
    if (media_ && now == stamp_)
        return MediaOk;
    media_.reset();
    std::unique_ptr<MediaFile> media;
    if (const int code = MediaFile::open(fileName_, media, buffers_))
        return code;
    if (media->frameCount() != frameCount_ || media->frameSize() != frameSize_)
        return MediaCorrupt;
    media_ = std::move(media);
    stamp_ = now;
    return MediaOk;
}

bool TInputFile::LoadFrame(int n, bool force, int* result)
{
    const int local = n - firstFrame_;
    const int offset = local - blockStart_;
    if (!force && offset >= 0 && offset < block_.size() && !block_[offset].isNull()) {
        blockIndex_ = offset;
        return true;
    }
    if (local < 0 || local >= frameCount_)
        return false;
    auto fail = [&](int code) {
        block_.clear();
        blockDecoded_ = false;
        if (result)
            *result = code;
        return false;
    };
    const int blockStart = local / FrameBlockSize * FrameBlockSize;
    if (force || blockStart != blockStart_) {
        block_.clear(); // the old block's buffers go back before the new one is decoded
        blockDecoded_ = false;
        blockStart_ = blockStart;
    }
    if (const int code = openMedia())
        return fail(code);
    const qint64 decodedBefore = media_->framesDecoded();
    int code = MediaOk;
    // Frames that need the ones before them are decoded a block at a time, into the decoder's
    // own memory; only the frames asked for are converted.
    if (!media_->decodesFramesAlone() && !blockDecoded_) {
        code = media_->keep(blockStart_ + 1, FrameBlockSize);
        blockDecoded_ = code == MediaOk;
    }
    QList<InputPicture> decoded;
    if (code == MediaOk)
        code = media_->loadPictures(local + 1, 1, decoded);
    framesDecoded_ += media_->framesDecoded() - decodedBefore;
    if (code == MediaOk && decoded.isEmpty())
        code = MediaNoFrames;
    if (code != MediaOk)
        return fail(code);
    block_.resize(FrameBlockSize);
    block_[local - blockStart_] = decoded[0];
    blockIndex_ = local - blockStart_;
    return true;
}

QList<int> TInputFile::heldFrames() const
{
    QList<int> held;
    for (int i = 0; i < FrameBlockSize && blockStart_ + i < frameCount_; ++i) {
        if (blockDecoded_ || (i < block_.size() && !block_[i].isNull()))
            held.append(firstFrame_ + blockStart_ + i);
    }
    return held;
}

InputPicture TInputFile::frame() const
{
    return blockIndex_ < block_.size() ? block_[blockIndex_] : InputPicture();
}

InputPicture TInputFile::blackFrame() const
{
    if (frameSize_.isEmpty())
        return {};
    return InputPicture(createBitmap(frameSize_.width(), frameSize_.height()));
}

void TInputFile::release()
{
    block_.clear();
    blockDecoded_ = false;
    media_.reset();
}

TInputFrameList::TInputFrameList() : buffers_(FrameBufferPool::create())
{
    // A block, the frame on screen and the one a generator keeps.
    buffers_->keepAtLeast(TInputFile::FrameBlockSize + 2);
}

TInputFrameList::~TInputFrameList() = default;

qint64 TInputFrameList::frameBuffersAllocated() const
{
    return buffers_->allocations();
}

qint64 TInputFrameList::framesDecoded() const
{
    qint64 total = removedFramesDecoded_;
    for (const auto& file : files_)
        total += file->framesDecoded();
    return total;
}

int TInputFrameList::Probe(const QString& path, int& frameCount)
{
    std::unique_ptr<MediaFile> media;
    QList<InputPicture> first;
    int code = MediaFile::open(path, media);
    if (code == MediaOk)
        code = media->loadPictures(1, 1, first);
    if (code == MediaNoFrames || (code == MediaOk && first.isEmpty()))
        return ProbeNoFrames;
    if (code != MediaOk)
        return code;
    frameCount = media->frameCount();
    return MediaOk;
}

const TInputFile* TInputFrameList::Current() const
{
    return files_.empty() ? nullptr : files_[current_].get();
}

int TInputFrameList::AddBefore(const QString& path)
{
    return add(path, false);
}

int TInputFrameList::AddAfter(const QString& path)
{
    return add(path, true);
}

int TInputFrameList::add(const QString& path, bool after)
{
    std::unique_ptr<MediaFile> media;
    if (const int code = MediaFile::open(path, media, buffers_))
        return code;
    auto file = std::make_unique<TInputFile>(path, std::move(media), buffers_);
    const std::size_t previous = current_;
    const std::size_t at = files_.empty() ? 0 : current_ + (after ? 1 : 0);
    if (!files_.empty())
        files_[current_]->release();
    files_.insert(files_.begin() + static_cast<std::ptrdiff_t>(at), std::move(file));
    current_ = at;
    renumber();
    int code = MediaCorrupt;
    if (!files_[at]->LoadFrame(files_[at]->FirstFrame(), true, &code)) {
        removedFramesDecoded_ += files_[at]->framesDecoded();
        files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(at));
        current_ = files_.empty() ? 0 : previous;
        renumber();
        return code;
    }
    currentFrame_ = files_[at]->FirstFrame();
    return MediaOk;
}

void TInputFrameList::DeleteCurrent()
{
    if (files_.empty())
        return;
    removedFramesDecoded_ += files_[current_]->framesDecoded();
    files_.erase(files_.begin() + static_cast<std::ptrdiff_t>(current_));
    // The next file takes the removed one's place; the previous one when it was last.
    if (current_ >= files_.size() && current_ > 0)
        --current_;
    renumber();
    if (!files_.empty())
        files_[current_]->LoadFrame(files_[current_]->FirstFrame(), true);
}

void TInputFrameList::Clear()
{
    removedFramesDecoded_ = framesDecoded();
    files_.clear();
    current_ = 0;
    totalFrames_ = 0;
    currentFrame_ = 0;
}

std::size_t TInputFrameList::fileIndexOf(int n) const
{
    std::size_t index = 0;
    while (n >= files_[index]->FirstFrame() + files_[index]->FrameCount())
        ++index;
    return index;
}

QSize TInputFrameList::FrameSize(int n) const
{
    return n < 0 || n >= totalFrames_ ? QSize() : files_[fileIndexOf(n)]->FrameSize();
}

int TInputFrameList::SelectFrame(int n, QImage& frame)
{
    InputPicture picture;
    const int code = SelectFrame(n, picture);
    frame = picture.toImage();
    return code;
}

int TInputFrameList::SelectFrame(int n, InputPicture& frame)
{
    if (n < 0 || n >= totalFrames_) {
        frame = files_.empty() ? InputPicture() : files_[current_]->frame();
        return MediaOk;
    }
    const std::size_t index = fileIndexOf(n);
    currentFrame_ = n;
    bool force = false;
    if (index != current_) {
        files_[current_]->release();
        current_ = index;
        force = true;
    }
    TInputFile& file = *files_[current_];
    int code = MediaCorrupt;
    if (!file.LoadFrame(n, force, &code)) {
        frame = file.blackFrame();
        return code;
    }
    frame = file.frame();
    return MediaOk;
}

void TInputFrameList::renumber()
{
    int first = 0;
    for (const auto& file : files_) {
        file->firstFrame_ = first;
        first += file->frameCount_;
    }
    totalFrames_ = first;
}

ErrorItem inputErrorItem(int code)
{
    return code < 0 ? ErrorItem::NotProcessed : static_cast<ErrorItem>(code);
}

} // namespace vantrel
