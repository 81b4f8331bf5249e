// kalvira-unit: the acquisition unit's side of the serial link, played on a pseudo-terminal, so
// that KALVIRA runs end to end with no hardware. See tools/README.md.
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "unit/exchange.h"
#include "unit/pseudo_terminal.h"
#include "unit/unit_options.h"
#include "unit/unit_server.h"
#include "unit/wire_log.h"

namespace {

int stopWriteFd = -1;

extern "C" void requestStop(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(stopWriteFd, &byte, 1);
}

int fail(const std::string &message, int code = 1) {
    std::fprintf(stderr, "kalvira-unit: %s\n", message.c_str());
    return code;
}

}  // namespace

int main(int argc, char **argv) {
    using namespace kalvira::unit;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const CommandLine line = parseCommandLine(arguments);
    if (line.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (!line.error.empty()) return fail(line.error + " (try --help)", 2);
    const UnitOptions &options = line.options;

    std::optional<LogFile> logFile;
    if (!options.logPath.empty()) {
        logFile.emplace(options.logPath);
        if (!logFile->isOpen()) return fail("cannot write the log " + options.logPath);
    }
    PseudoTerminal terminal;
    if (!terminal.open()) return fail(terminal.error());
    DeviceLink link;
    if (!options.linkPath.empty() && !link.create(options.linkPath, terminal.devicePath())) {
        return fail(link.error());
    }

    int stopPipe[2];
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return fail("cannot make the stop pipe");
    stopWriteFd = stopPipe[1];
    struct sigaction stop {};
    stop.sa_handler = requestStop;
    sigemptyset(&stop.sa_mask);
    ::sigaction(SIGTERM, &stop, nullptr);
    ::sigaction(SIGINT, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", terminal.devicePath().c_str());
    std::fflush(stdout);

    UnitExchange exchange(options, [&logFile](const std::string &text) {
        if (logFile) logFile->write(text);
    });
    UnitServer(terminal.masterFd(), stopPipe[0], exchange, options.paced, options.usbLatency).run();
    link.remove();
    return 0;
}
