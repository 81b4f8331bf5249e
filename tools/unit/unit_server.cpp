#include "unit_server.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace kalvira::unit {

namespace {

using namespace std::chrono_literals;

constexpr auto kByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 115200);
constexpr auto kPacingSlack = 1ms;  // bytes due this soon go out now, poll() waits in ms anyway
constexpr auto kReopenProbe = 50ms;

int pollTimeout(std::optional<std::chrono::steady_clock::time_point> wake,
                std::chrono::steady_clock::time_point now) {
    if (!wake) return -1;
    if (*wake <= now) return 0;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - now);
    return static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), 60'000));
}

}  // namespace

UnitServer::UnitServer(int masterFd, int stopFd, UnitExchange &exchange, bool paced)
    : master_(masterFd), stop_(stopFd), exchange_(exchange), paced_(paced) {}

bool UnitServer::hungUp() {
    pollfd probe{master_, POLLIN, 0};
    if (::poll(&probe, 1, 0) < 0) return false;
    const bool hangUp = (probe.revents & POLLHUP) != 0;
    if (hangUp && (probe.revents & POLLIN)) {
        // Bytes the closed host left behind belong to no exchange.
        std::array<std::uint8_t, 4096> discard{};
        while (::read(master_, discard.data(), discard.size()) > 0) {
        }
    }
    return hangUp;
}

void UnitServer::run() {
    hostPresent_ = !hungUp();
    for (;;) {
        auto now = Clock::now();
        exchange_.tick(now);
        std::optional<TimePoint> wake = exchange_.deadline();
        auto wakeBy = [&wake](TimePoint at) { wake = wake ? std::min(*wake, at) : at; };

        std::array<pollfd, 2> fds{pollfd{stop_, POLLIN, 0}, pollfd{master_, POLLIN, 0}};
        nfds_t count = 1;
        if (hostPresent_) {
            count = 2;
            if (!exchange_.unsent().empty()) {
                if (!paced_ || lineFree_ <= now + kPacingSlack) {
                    fds[1].events |= POLLOUT;
                } else {
                    wakeBy(lineFree_ - kPacingSlack);
                }
            }
        } else {
            wakeBy(now + kReopenProbe);
        }

        if (::poll(fds.data(), count, pollTimeout(wake, now)) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[0].revents != 0) return;
        now = Clock::now();
        if (!hostPresent_) {
            if (!hungUp()) {
                hostPresent_ = true;
                exchange_.hostOpened(now);
            }
            continue;
        }
        const short events = fds[1].revents;
        if (events & POLLIN) {
            readFromHost(now);
        } else if (events & (POLLHUP | POLLERR)) {
            hostGone(now);
        }
        if (hostPresent_ && (events & POLLOUT)) writeToHost(now);
    }
}

void UnitServer::readFromHost(TimePoint now) {
    std::array<std::uint8_t, 4096> buffer{};
    const ssize_t got = ::read(master_, buffer.data(), buffer.size());
    if (got > 0) {
        exchange_.received(std::span(buffer).first(static_cast<std::size_t>(got)), now);
    } else if (got == 0 || errno == EIO) {
        hostGone(now);
    }
}

void UnitServer::writeToHost(TimePoint now) {
    const auto bytes = exchange_.unsent();
    if (bytes.empty()) return;
    std::size_t allowed = bytes.size();
    if (paced_) {
        // The line falls idle only when there was nothing left to send. Bytes that waited for their
        // turn keep the line's schedule however late this wake-up comes, and go out at once to
        // catch up: otherwise every late wake-up would slow the line below 115200 baud.
        if (!backlog_) lineFree_ = std::max(lineFree_, now);
        const auto due = (now + kPacingSlack - lineFree_) / kByteTime + 1;
        allowed = std::min(allowed, static_cast<std::size_t>(due));
    }
    const ssize_t written = ::write(master_, bytes.data(), allowed);
    if (written > 0) {
        backlog_ = static_cast<std::size_t>(written) < bytes.size();
        if (paced_) lineFree_ += kByteTime * written;
        exchange_.wrote(static_cast<std::size_t>(written), paced_ ? lineFree_ : now);
    } else if (written < 0 && errno == EIO) {
        hostGone(now);
    }
}

void UnitServer::hostGone(TimePoint now) {
    hostPresent_ = false;
    exchange_.hostClosed(now);
}

}  // namespace kalvira::unit
