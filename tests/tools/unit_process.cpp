#include "unit_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "acquisition/protocol.h"

namespace kalvira::unit::testing {

namespace {

using Clock = std::chrono::steady_clock;

// Starts kalvira-unit with stdout (and stderr when asked) on a pipe; the pid and the pipe's
// reading end.
std::pair<pid_t, int> spawn(const std::vector<std::string> &arguments, bool withStderr) {
    // Everything the child needs is prepared before fork(): after it only exec-safe calls.
    std::string program = KALVIRA_UNIT_PATH;
    std::vector<std::string> copies = arguments;
    std::vector<char *> argv{program.data()};
    for (auto &argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return {-1, -1};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        if (withStderr) ::dup2(out[1], STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    return {pid, out[0]};
}

// Reads from fd until a line end or the end of the stream, at most until the deadline.
std::string readLine(int fd, Clock::time_point deadline) {
    std::string line;
    while (Clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        char c = 0;
        if (::read(fd, &c, 1) != 1 || c == '\n') break;
        line += c;
    }
    return line;
}

}  // namespace

UnitProcess::UnitProcess(const std::vector<std::string> &options) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kalvira-unit-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return;
    directory_ = pattern;
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {"--log", directory_ + "/wire.log"});
    auto [pid, out] = spawn(arguments, false);
    pid_ = pid;
    if (out < 0) return;
    devicePath_ = readLine(out, Clock::now() + 5s);
    ::close(out);
}

UnitProcess::~UnitProcess() {
    stop();
    if (!directory_.empty()) std::filesystem::remove_all(directory_);
}

int UnitProcess::stop(int signal) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
}

std::vector<std::string> UnitProcess::logLines() const {
    std::vector<std::string> lines;
    std::ifstream file(directory_ + "/wire.log");
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

std::optional<LogLine> UnitProcess::waitForLog(const std::function<bool(const LogLine &)> &test,
                                               std::chrono::milliseconds timeout) const {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        for (const auto &line : logLines()) {
            const LogLine parsed = parseLogLine(line);
            if (test(parsed)) return parsed;
        }
        if (Clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(5ms);
    }
}

std::optional<LogLine> UnitProcess::waitForEvent(const std::string &kind, int acquisition,
                                                 std::chrono::milliseconds timeout) const {
    const std::string number = std::to_string(acquisition);
    return waitForLog(
        [&](const LogLine &line) {
            const auto acq = line.fields.find("acq");
            return line.kind == kind && acq != line.fields.end() && acq->second == number;
        },
        timeout);
}

HostPort::HostPort(const std::string &devicePath) {
    fd_ = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    termios raw{};
    ::tcgetattr(fd_, &raw);
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B115200);
    ::tcsetattr(fd_, TCSANOW, &raw);
    ::tcflush(fd_, TCIOFLUSH);
}

HostPort::~HostPort() {
    close();
}

void HostPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void HostPort::write(const std::vector<std::uint8_t> &bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN) {
            return;
        } else {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

std::vector<std::uint8_t> HostPort::read(std::size_t count, std::chrono::milliseconds timeout) {
    std::vector<std::uint8_t> bytes;
    const auto deadline = Clock::now() + timeout;
    std::array<std::uint8_t, 4096> buffer{};
    while (bytes.size() < count) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t n = ::read(fd_, buffer.data(), std::min(buffer.size(), count - bytes.size()));
        if (n > 0) bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + n);
    }
    return bytes;
}

bool HostPort::anyByteWithin(std::chrono::milliseconds time) {
    return !read(1, time).empty();
}

Finished runUnitToEnd(const std::vector<std::string> &arguments) {
    auto [pid, out] = spawn(arguments, true);
    Finished finished;
    std::array<char, 4096> buffer{};
    for (ssize_t n; (n = ::read(out, buffer.data(), buffer.size())) > 0;) {
        finished.output.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(out);
    int status = 0;
    ::waitpid(pid, &status, 0);
    finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

std::vector<std::uint8_t> frameBytes(int mode, int rate, int level, int samples, bool fall) {
    const auto frame = acquisition::buildCommandFrame(
        {mode, rate, static_cast<std::uint8_t>(level), samples, fall});
    return {frame.begin(), frame.end()};
}

}  // namespace kalvira::unit::testing
