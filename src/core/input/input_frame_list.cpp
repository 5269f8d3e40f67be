#include "core/input/input_frame_list.h"

#include "core/imaging/bitmap.h"

namespace vantrel {

TInputFile::TInputFile(QString fileName, std::unique_ptr<MediaFile> media)
    : fileName_(std::move(fileName)), frameCount_(media->frameCount()), frameDelayMs_(media->frameDelayMs()),
      frameSize_(media->frameSize()), media_(std::move(media))
{}

TInputFile::~TInputFile() = default;

bool TInputFile::LoadFrame(int n, bool force, int* result)
{
    const int local = n - firstFrame_;
    const int offset = local - blockStart_;
    if (!force && offset >= 0 && offset < block_.size()) {
        blockIndex_ = offset;
        return true;
    }
    if (local < 0 || local >= frameCount_)
        return false;
    auto fail = [&](int code) {
        block_.clear();
        if (result)
            *result = code;
        return false;
    };
    // Reopened when the file becomes current again: it may have changed on disk meanwhile.
    if (!media_) {
        if (const int code = MediaFile::open(fileName_, media_))
            return fail(code);
    }
    blockStart_ = local / FrameBlockSize * FrameBlockSize;
    block_.clear(); // the old block's buffers go back before the new one is decoded
    QList<QImage> block;
    if (const int code = media_->load(blockStart_ + 1, FrameBlockSize, block))
        return fail(code);
    if (local - blockStart_ >= block.size())
        return fail(MediaNoFrames);
    block_ = std::move(block);
    blockIndex_ = local - blockStart_;
    return true;
}

QImage TInputFile::frame() const
{
    return blockIndex_ < block_.size() ? block_[blockIndex_] : QImage();
}

QImage TInputFile::blackFrame() const
{
    if (frameSize_.isEmpty())
        return QImage();
    return createBitmap(frameSize_.width(), frameSize_.height());
}

void TInputFile::release()
{
    block_.clear();
    media_.reset();
}

TInputFrameList::TInputFrameList() = default;
TInputFrameList::~TInputFrameList() = default;

int TInputFrameList::Probe(const QString& path, int& frameCount)
{
    std::unique_ptr<MediaFile> media;
    if (const int code = MediaFile::open(path, media))
        return code;
    QList<QImage> first;
    if (const int code = media->load(1, 1, first))
        return code;
    if (first.isEmpty())
        return MediaNoFrames;
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
    if (const int code = MediaFile::open(path, media))
        return code;
    auto file = std::make_unique<TInputFile>(path, std::move(media));
    const std::size_t previous = current_;
    const std::size_t at = files_.empty() ? 0 : current_ + (after ? 1 : 0);
    if (!files_.empty())
        files_[current_]->release();
    files_.insert(files_.begin() + static_cast<std::ptrdiff_t>(at), std::move(file));
    current_ = at;
    renumber();
    int code = MediaCorrupt;
    if (!files_[at]->LoadFrame(files_[at]->FirstFrame(), true, &code)) {
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
    files_.clear();
    current_ = 0;
    totalFrames_ = 0;
    currentFrame_ = 0;
}

int TInputFrameList::SelectFrame(int n, QImage& frame)
{
    if (n < 0 || n >= totalFrames_) {
        frame = files_.empty() ? QImage() : files_[current_]->frame();
        return MediaOk;
    }
    std::size_t index = 0;
    while (n >= files_[index]->FirstFrame() + files_[index]->FrameCount())
        ++index;
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

} // namespace vantrel
