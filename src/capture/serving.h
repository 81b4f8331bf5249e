#pragma once

#include <QObject>
#include <span>

#include "acquisition/qt_serial_port.h"
#include "capture_host.h"
#include "capture_options.h"
#include "records/record_appender.h"
#include "remote/remote_server.h"
#include "scope/scope.h"

namespace kalvira::capture {

// kalvira-capture --serve: the scope on the serial port, driven by one remote client at a time,
// without a window, until Ctrl+C. Each record the client's runs take goes to --output as a log
// when one is named.
class Serving final : public QObject {
public:
    explicit Serving(const CaptureOptions &options, QObject *parent = nullptr);

    // Ctrl+C: a run under way ends at once, and so does the program.
    void interrupt();
    // Listens and serves in the event loop; the exit status: 130 after Ctrl+C, 1 when it cannot
    // listen or a record cannot be written.
    int run();

private:
    void keep(std::span<const std::int16_t> record);

    const CaptureOptions options_;
    acquisition::QtSerialPort port_;
    CaptureHost host_;
    scope::Scope scope_;
    remote::RemoteServer server_;
    records::RecordAppender appender_;
    std::optional<std::string> writeError_;
};

}  // namespace kalvira::capture
