#include "unit_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kalvira::testing {

UnitProcess::UnitProcess(std::vector<std::string> options, bool withLog) {
    std::string pattern = std::filesystem::temp_directory_path() / "kalvira-unit-XXXXXX";
    if (withLog && ::mkdtemp(pattern.data())) {
        directory_ = pattern;
        options.insert(options.end(), {"--log", directory_ + "/wire.log"});
    }
    // Everything the child needs is made before fork(): after it only exec-safe calls.
    std::string program = KALVIRA_UNIT_PATH;
    std::vector<char *> argv{program.data()};
    for (auto &option : options) argv.push_back(option.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    pollfd p{out[0], POLLIN, 0};
    for (char c = 0; ::poll(&p, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n';) {
        device_ += c;
    }
    ::close(out[0]);
}

UnitProcess::~UnitProcess() {
    stop();
    if (!directory_.empty()) std::filesystem::remove_all(directory_);
}

void UnitProcess::becomeCom1() {
    com1_ = std::make_unique<ScopedEnvironment>("KALVIRA_COM1", device_);
}

void UnitProcess::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::vector<std::string> UnitProcess::logLines() const {
    std::vector<std::string> lines;
    std::ifstream file(directory_ + "/wire.log");
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

}  // namespace kalvira::testing
