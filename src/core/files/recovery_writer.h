#pragma once

#include "core/files/recovery_copy.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace vantrel {

// Keeps the recovery copy at `path` up to date on a thread of its own, so that the window never
// waits for compression or the disk: each submit replaces what still waits, and the newest is
// written atomically (a crash mid-write leaves the copy before).
class RecoveryWriter
{
public:
    explicit RecoveryWriter(QString path);
    ~RecoveryWriter(); // finishes the write in progress; what waits is dropped
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    const QString& path() const { return path_; }
    void submit(RecoveryContents contents);
    // Drops what waits, lets a write in progress end, then deletes the copy.
    void remove();
    // Returns once nothing waits and nothing is being written.
    void waitUntilIdle();

private:
    void run();

    QString path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<RecoveryContents> pending_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_; // last: it starts once everything above exists
};

} // namespace vantrel
