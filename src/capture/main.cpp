// kalvira-capture: takes records from the acquisition unit with the window's measurement run and
// writes them as a record file, their measurements and their spectra. Ctrl+C ends the run as
// STOP does, a second one at once.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "capture.h"
#include "capture_options.h"
#include "i18n/translations.h"
#include "serving.h"

namespace {

using namespace kalvira;

constexpr int kLinkFailed = 1;

int interruptPipe[2] = {-1, -1};  // the SIGINT handler's byte goes in [1], the event loop reads [0]

void onInterrupt(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(interruptPipe[1], &byte, 1);
}

bool catchInterrupt() {
    if (::pipe(interruptPipe) != 0) return false;
    for (const int end : interruptPipe) ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGINT, &action, nullptr) == 0;
}

// Runs the job until it ends, each Ctrl+C (a byte on the pipe) passed to it.
template <typename Job>
int runInterruptibly(Job &job) {
    QSocketNotifier interrupt(interruptPipe[0], QSocketNotifier::Read);
    QObject::connect(&interrupt, &QSocketNotifier::activated, &job, [&job] {
        char byte = 0;
        while (::read(interruptPipe[0], &byte, 1) == 1) job.interrupt();
    });
    return job.run();
}

int takeRecords(const capture::CaptureOptions &options) {
    capture::Capture job(options);
    return runInterruptibly(job);
}

int serve(const capture::CaptureOptions &options) {
    capture::Serving job(options);
    return runInterruptibly(job);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kalvira-capture"));
    i18n::installTranslations(app);
    const auto parsed = capture::parseCommandLine(QCoreApplication::arguments());
    if (const auto *exit = std::get_if<capture::CommandLineExit>(&parsed)) {
        std::fputs(exit->text.toLocal8Bit().constData(), exit->status == 0 ? stdout : stderr);
        return exit->status;
    }
    const auto &options = std::get<capture::CaptureOptions>(parsed);
    // A device path is opened as port 1, the number the window's "COM1" stands for.
    if (options.device) qputenv("KALVIRA_COM1", QByteArray::fromStdString(*options.device));
    if (!catchInterrupt()) {
        std::perror("kalvira-capture: SIGINT");
        return kLinkFailed;
    }

    return options.serve ? serve(options) : takeRecords(options);
}
