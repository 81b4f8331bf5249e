#include "record_appender.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace kalvira::records {

RecordAppender::RecordAppender() : RecordAppender(::fsync) {}

RecordAppender::RecordAppender(Sync sync) : sync_(std::move(sync)) {}

RecordAppender::~RecordAppender() {
    if (ownsFd_ && fd_ >= 0) ::close(fd_);
}

std::optional<std::string> RecordAppender::open(const QString &path) {
    if (path.isEmpty()) {
        fd_ = STDOUT_FILENO;
        name_ = "standard output";
        return {};
    }
    name_ = path.toStdString();
    const QByteArray native = path.toLocal8Bit();
    fd_ = ::open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) return name_ + ": " + std::strerror(errno);
    ownsFd_ = true;
    return {};
}

std::optional<std::string> RecordAppender::append(const RecordFile &entry) {
    if (fd_ < 0) return "no file is open";
    if (const auto problem = checkRecordFile(entry)) return "cannot write the record: " + *problem;
    const std::string text = formatLogEntry(entry, before_ ? &*before_ : nullptr, records_ + 1);
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t written = ::write(fd_, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return name_ + ": " + std::strerror(errno);
        done += static_cast<std::size_t>(written);
    }
    // A pipe or a terminal cannot be synced, and needs not be.
    if (ownsFd_ && sync_(fd_) != 0 && errno != EINVAL) return name_ + ": " + std::strerror(errno);
    bytes_ += static_cast<long long>(text.size());
    ++records_;
    before_ = entry;
    before_->records.clear();
    return {};
}

}  // namespace kalvira::records
