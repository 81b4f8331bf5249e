#include "run_progress.h"

#include <QCoreApplication>

namespace kalvira::acquisition {

namespace {

std::string translated(const char *source) {
    return QCoreApplication::translate("kalvira::acquisition::RunProgress", source).toStdString();
}

// The phase alone, or the phase with its percentage where it has one.
std::string withPercent(const char *phase, const char *phaseAndPercent,
                        const std::optional<int> &percent) {
    if (!percent) return translated(phase);
    return QCoreApplication::translate("kalvira::acquisition::RunProgress", phaseAndPercent)
        .arg(*percent)
        .toStdString();
}

}  // namespace

std::string describeProgress(const RunProgress &progress) {
    switch (progress.phase) {
        case RunPhase::Idle:
            return {};
        case RunPhase::Starting:
            return translated(
                QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "waiting for the answer"));
        case RunPhase::Acquiring:
            return withPercent(
                QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "acquiring"),
                QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "acquiring %1 %"),
                progress.percent);
        case RunPhase::AwaitingTrigger:
            return translated(
                QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "waiting for the trigger"));
        case RunPhase::Transferring:
            return withPercent(
                QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "transferring"),
                QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "transferring %1 %"),
                progress.percent);
        case RunPhase::Pausing:
            return QCoreApplication::translate("kalvira::acquisition::RunProgress",
                                               "pause after record %1")
                .arg(progress.recordsTaken)
                .toStdString();
        case RunPhase::Reporting:
            return translated(QT_TRANSLATE_NOOP("kalvira::acquisition::RunProgress", "failure"));
    }
    return {};
}

}  // namespace kalvira::acquisition
