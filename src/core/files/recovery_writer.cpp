#include "core/files/recovery_writer.h"

#include "core/app/atomic_save.h"

#include <QFile>

namespace vantrel {

RecoveryWriter::RecoveryWriter(QString path) : path_(std::move(path)), thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.reset();
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::submit(RecoveryContents contents)
{
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(contents);
    }
    changed_.notify_all();
}

void RecoveryWriter::remove()
{
    std::unique_lock lock(mutex_);
    pending_.reset();
    changed_.wait(lock, [this] { return !writing_; });
    QFile::remove(path_);
}

void RecoveryWriter::waitUntilIdle()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !writing_ && !pending_; });
}

void RecoveryWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_)
            return;
        const RecoveryContents contents = std::move(*pending_);
        pending_.reset();
        writing_ = true;
        lock.unlock();
        const QByteArray bytes = writeRecoveryCopy(contents);
        if (!bytes.isEmpty())
            saveBytesAtomically(path_, bytes); // a failure keeps the copy before: nothing to tell
        lock.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

} // namespace vantrel
