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
constexpr std::size_t kUsbPacketData = 62;

int pollTimeout(std::optional<std::chrono::steady_clock::time_point> wake,
                std::chrono::steady_clock::time_point now) {
    if (!wake) return -1;
    if (*wake <= now) return 0;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wake - now);
    return static_cast<int>(std::min<std::chrono::milliseconds::rep>(wait.count(), 60'000));
}

}  // namespace

UnitServer::UnitServer(int masterFd, int stopFd, UnitExchange &exchange, bool paced,
                       std::optional<std::chrono::milliseconds> usbLatency)
    : master_(masterFd),
      stop_(stopFd),
      exchange_(exchange),
      paced_(paced),
      usbLatency_(usbLatency) {}

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
        if (usbLatency_ && hostPresent_) feedAdapter(now);
        std::optional<TimePoint> wake = exchange_.deadline();
        auto wakeBy = [&wake](TimePoint at) { wake = wake ? std::min(*wake, at) : at; };

        std::array<pollfd, 2> fds{pollfd{stop_, POLLIN, 0}, pollfd{master_, POLLIN, 0}};
        nfds_t count = 1;
        if (hostPresent_) {
            count = 2;
            if (usbLatency_) {
                // Unpaced, the adapter has taken every byte already.
                if (paced_ && !exchange_.unsent().empty()) wakeBy(lineFree_ - kPacingSlack);
                if (adapterReleases(now)) {
                    fds[1].events |= POLLOUT;
                } else if (!held_.empty()) {
                    wakeBy(heldSince_ + *usbLatency_);
                }
            } else if (!exchange_.unsent().empty()) {
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
        if (hostPresent_ && (events & POLLOUT)) {
            if (usbLatency_) {
                releaseHeld(now);
            } else {
                writeToHost(now);
            }
        }
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
    const std::size_t allowed = lineTakes(bytes.size(), now);
    if (allowed == 0) return;
    const ssize_t written = ::write(master_, bytes.data(), allowed);
    if (written > 0) {
        lineSent(static_cast<std::size_t>(written), bytes.size(), now);
    } else if (written < 0 && errno == EIO) {
        hostGone(now);
    }
}

// How many of the waiting bytes the line has begun to send by now: all of them when unpaced.
std::size_t UnitServer::lineTakes(std::size_t waiting, TimePoint now) {
    if (!paced_ || waiting == 0) return waiting;
    // The line falls idle only when there was nothing left to send. Bytes that waited for their
    // turn keep the line's schedule however late this wake-up comes, and go out at once to
    // catch up: otherwise every late wake-up would slow the line below 115200 baud.
    if (!backlog_) lineFree_ = std::max(lineFree_, now);
    if (lineFree_ > now + kPacingSlack) return 0;
    const auto due = (now + kPacingSlack - lineFree_) / kByteTime + 1;
    return std::min(waiting, static_cast<std::size_t>(due));
}

void UnitServer::lineSent(std::size_t sent, std::size_t waiting, TimePoint now) {
    backlog_ = sent < waiting;
    if (paced_) lineFree_ += kByteTime * static_cast<std::int64_t>(sent);
    exchange_.wrote(sent, paced_ ? lineFree_ : now);
}

// The line into the adapter: the unit has sent what the adapter holds.
void UnitServer::feedAdapter(TimePoint now) {
    for (auto bytes = exchange_.unsent(); !bytes.empty(); bytes = exchange_.unsent()) {
        const std::size_t taken = lineTakes(bytes.size(), now);
        if (taken == 0) return;
        if (held_.empty()) heldSince_ = now;
        held_.insert(held_.end(), bytes.begin(),
                     bytes.begin() + static_cast<std::ptrdiff_t>(taken));
        lineSent(taken, bytes.size(), now);
    }
}

bool UnitServer::adapterReleases(TimePoint now) const {
    return !held_.empty() && (held_.size() >= kUsbPacketData || now >= heldSince_ + *usbLatency_);
}

// Full packets go at once; once the latency has run out, whatever is held goes. What stays
// behind a packet starts the timer again.
void UnitServer::releaseHeld(TimePoint now) {
    if (!adapterReleases(now)) return;
    std::size_t count = held_.size();
    if (now < heldSince_ + *usbLatency_) count -= count % kUsbPacketData;
    const ssize_t written = ::write(master_, held_.data(), count);
    if (written > 0) {
        held_.erase(held_.begin(), held_.begin() + written);
        if (static_cast<std::size_t>(written) == count) heldSince_ = now;
    } else if (written < 0 && errno == EIO) {
        hostGone(now);
    }
}

void UnitServer::hostGone(TimePoint now) {
    hostPresent_ = false;
    held_.clear();
    exchange_.hostClosed(now);
}

}  // namespace kalvira::unit
