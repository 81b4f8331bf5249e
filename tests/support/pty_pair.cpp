#include "pty_pair.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

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

void PtyPair::hangUp() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace kalvira::testing
