#include "serving.h"

#include <QCoreApplication>
#include <cstdio>

namespace kalvira::capture {

namespace {

constexpr int kFailed = 1;
constexpr int kInterrupted = 130;

// Records come as the client asks for them, with no count to reach.
CaptureOptions withoutRecordLimit(CaptureOptions options) {
    options.records = 0;
    return options;
}

void say(const QString &text) {
    std::fprintf(stderr, "kalvira-capture: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

Serving::Serving(const CaptureOptions &options, QObject *parent)
    : QObject(parent),
      options_(options),
      host_(withoutRecordLimit(options)),
      scope_(port_, host_, 0),
      server_(scope_) {
    scope_.setSettings(options_.settings);
    scope_.setUserCalibration(options_.settings.calibration);
    scope_.setPort(options_.portIndex);
    host_.attach(&scope_);
    host_.setKeepingRecords(false);
    host_.setRecordHandler([this](std::span<const std::int16_t> record) { keep(record); });
}

void Serving::interrupt() {
    scope_.abort();
    QCoreApplication::quit();
}

int Serving::run() {
    const remote::ListenAddress &address = *options_.serve;
    if (const auto error = server_.listen(address)) {
        say(QCoreApplication::translate("kalvira-capture", "cannot listen on %1: %2")
                .arg(remote::describe(address.host, address.port), *error));
        return kFailed;
    }
    say(QCoreApplication::translate("kalvira-capture", "listening on %1").arg(server_.address()));
    if (remote::reachableFromOutside(address)) {
        say(QCoreApplication::translate("kalvira-capture",
                                        "anyone who can reach %1 can drive the unit")
                .arg(server_.address()));
    }
    QCoreApplication::exec();
    if (writeError_) {
        say(QString::fromStdString(*writeError_));
        return kFailed;
    }
    return kInterrupted;
}

void Serving::keep(std::span<const std::int16_t> record) {
    if (options_.output.isEmpty() || writeError_) return;
    records::RecordFile entry;
    entry.settings = scope_.settings();
    entry.taken = QDateTime::currentDateTimeUtc();
    entry.records = {std::vector<std::int16_t>(record.begin(), record.end())};
    if (appender_.recordsWritten() == 0) writeError_ = appender_.open(options_.output);
    if (!writeError_) writeError_ = appender_.append(entry);
    if (writeError_)
        QMetaObject::invokeMethod(
            &scope_, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

}  // namespace kalvira::capture
