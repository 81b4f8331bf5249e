#include "pty_pair.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace kalvira::testing {

PtyPair::PtyPair() : fd_(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK)) {
    termios raw{};
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0 || ::tcgetattr(fd_, &raw) != 0) {
        return;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(fd_, TCSANOW, &raw);
    device_ = ::ptsname(fd_);
}

bool PtyPair::write(const std::vector<std::uint8_t> &bytes) const {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> PtyPair::readAvailable() const {
    std::vector<std::uint8_t> bytes(4096);
    bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(fd_, bytes.data(), 4096))));
    return bytes;
}

void PtyPair::hangUp() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace kalvira::testing
