#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "record_file.h"

namespace kalvira::records {

// Writes a log one record at a time, each one on disk (fsync) before append returns, so a crash,
// a kill or a power cut loses at most the record being written, and the file still reads with
// every complete record before it.
class RecordAppender {
public:
    // Puts what was written to a file descriptor on disk, as ::fsync does; 0 when it is.
    using Sync = std::function<int(int fd)>;

    RecordAppender();
    // Syncs each record with sync instead of ::fsync.
    explicit RecordAppender(Sync sync);
    RecordAppender(const RecordAppender &) = delete;
    RecordAppender &operator=(const RecordAppender &) = delete;
    ~RecordAppender();

    // Creates path, or empties it, for a new log; standard output with an empty path (then
    // flushed, not synced). The reason on failure.
    std::optional<std::string> open(const QString &path);
    // Appends entry, which holds one record; the reason on failure.
    std::optional<std::string> append(const RecordFile &entry);

    long long bytesWritten() const { return bytes_; }
    long long recordsWritten() const { return records_; }

private:
    Sync sync_;
    int fd_ = -1;
    bool ownsFd_ = false;
    std::string name_;
    std::optional<RecordFile> before_;  // the settings of the last record written
    long long bytes_ = 0;
    long long records_ = 0;
};

}  // namespace kalvira::records
