#include "scpi_session.h"

#include <utility>

#include "scope/scope.h"
#include "scpi_dispatch.h"

namespace kalvira::remote {

ScpiSession::ScpiSession(scope::Scope &scope, QObject *parent)
    : QObject(parent), instrument_(scope) {
    connect(&scope, &scope::Scope::runChanged, this, &ScpiSession::runChanged);
    connect(&scope, &scope::Scope::messageShown, this, [this](const QString &text) {
        instrument_.status.report(ScpiError::DeviceSpecificError, text.toStdString());
    });
}

void ScpiSession::takeLine(std::string_view line) {
    if (busy()) {
        waiting_.emplace_back(line);
        return;
    }
    const std::vector<ProgramUnit> units = parseProgram(line);
    held_.assign(units.begin(), units.end());
    responses_.clear();
    proceed();
}

void ScpiSession::forget() {
    held_.clear();
    responses_.clear();
    waiting_.clear();
}

bool ScpiSession::waitsForCompletion(const ProgramUnit &unit) const {
    if (!instrument_.singlePending || !unit.common || unit.error) return false;
    const std::string &name = unit.path.front();
    return (name == "*OPC" && unit.query) || (name == "*WAI" && !unit.query);
}

void ScpiSession::proceed() {
    const bool wasHeld = busy();
    while (!held_.empty()) {
        if (waitsForCompletion(held_.front())) return;
        const CommandResult result = runUnit(held_.front(), instrument_);
        held_.pop_front();
        if (result.error) instrument_.status.report(*result.error, result.detail);
        if (result.response) responses_.push_back(*result.response);
    }
    if (!responses_.empty()) {
        QByteArray message;
        for (std::size_t i = 0; i < responses_.size(); ++i) {
            if (i > 0) message += ';';
            message += QByteArray::fromStdString(responses_[i]);
        }
        responses_.clear();
        emit replied(message + '\n');
    }
    if (!waiting_.empty()) {
        const std::string next = std::move(waiting_.front());
        waiting_.pop_front();
        takeLine(next);
    }
    if (wasHeld && !busy()) emit ready();
}

// A :SINGle is complete once its run has ended, with its record or with a failure. What waited
// for it goes on after the run's pass, not inside it.
void ScpiSession::runChanged() {
    if (!instrument_.singlePending || instrument_.scope.running()) return;
    instrument_.singlePending = false;
    if (std::exchange(instrument_.completionWanted, false))
        instrument_.status.setEvent(ScpiStatus::kOperationComplete);
    if (busy()) QMetaObject::invokeMethod(this, &ScpiSession::proceed, Qt::QueuedConnection);
}

}  // namespace kalvira::remote
