#include "pseudo_terminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kalvira::unit {

namespace {

std::string systemError(const std::string &what) {
    return what + ": " + std::strerror(errno);
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
}

bool PseudoTerminal::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error_ = systemError("posix_openpt");
        return false;
    }
    std::array<char, 128> name{};
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
        ::ptsname_r(master_, name.data(), name.size()) != 0) {
        error_ = systemError("pseudo-terminal setup");
        return false;
    }
    devicePath_ = name.data();

    // Raw both ways: no echo of the unit's bytes back to it, no line editing, no CR/LF mapping,
    // every value 0..255 passed unchanged. On the master these settings apply to the device end.
    termios raw{};
    if (::tcgetattr(master_, &raw) != 0) {
        error_ = systemError("tcgetattr");
        return false;
    }
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B115200);
    ::cfsetospeed(&raw, B115200);
    if (::tcsetattr(master_, TCSANOW, &raw) != 0) {
        error_ = systemError("tcsetattr");
        return false;
    }
    const int flags = ::fcntl(master_, F_GETFL);
    if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error_ = systemError("fcntl");
        return false;
    }
    return true;
}

DeviceLink::~DeviceLink() {
    remove();
}

bool DeviceLink::create(const std::string &linkPath, const std::string &target) {
    struct stat existing {};
    if (::lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error_ = linkPath + ": exists and is not a symlink";
            return false;
        }
        if (::unlink(linkPath.c_str()) != 0) {
            error_ = systemError(linkPath);
            return false;
        }
    }
    if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
        error_ = systemError(linkPath);
        return false;
    }
    linkPath_ = linkPath;
    target_ = target;
    return true;
}

void DeviceLink::remove() {
    if (linkPath_.empty()) return;
    std::array<char, 4096> pointsTo{};
    const ssize_t length = ::readlink(linkPath_.c_str(), pointsTo.data(), pointsTo.size() - 1);
    if (length >= 0 && target_ == std::string(pointsTo.data(), static_cast<std::size_t>(length))) {
        ::unlink(linkPath_.c_str());
    }
    linkPath_.clear();
}

}  // namespace kalvira::unit
