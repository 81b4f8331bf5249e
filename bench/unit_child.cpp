#include "unit_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace kalvira::bench {

UnitChild::UnitChild(const std::vector<std::string> &options) {
    std::string program = KALVIRA_UNIT_PATH;
    std::vector<std::string> copies = options;
    std::vector<char *> argv{program.data()};
    for (auto &option : copies) argv.push_back(option.data());
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
    // The first line is the device; give the unit five seconds to print it.
    for (int waited = 0; waited < 5000;) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) {
            waited += 50;
            continue;
        }
        char c = 0;
        if (::read(out[0], &c, 1) != 1 || c == '\n') break;
        devicePath_ += c;
    }
    ::close(out[0]);
}

UnitChild::~UnitChild() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
}

void UnitChild::becomeCom1() const {
    ::setenv("KALVIRA_COM1", devicePath_.c_str(), 1);
}

}  // namespace kalvira::bench
