#include "pty_pair.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

namespace kalvira::testing {

PtyPair::PtyPair() : fd_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0) {
        hangUp();
        return;
    }
    termios raw{};
    ::tcgetattr(fd_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd_, TCSANOW, &raw);
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    device_ = ::ptsname(fd_);
}

bool PtyPair::write(const std::vector<std::uint8_t> &bytes) const {
    return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> PtyPair::readAvailable() const {
    std::vector<std::uint8_t> bytes(4096);
    const ssize_t n = fd_ < 0 ? -1 : ::read(fd_, bytes.data(), bytes.size());
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
}

void PtyPair::hangUp() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace kalvira::testing
