#include "scope.h"

#include <algorithm>

namespace kalvira::scope {

Scope::Scope(acquisition::SerialPort &port, ScopeFrontEnd &frontEnd, std::size_t historyBudgetBytes,
             QObject *parent)
    : QObject(parent),
      frontEnd_(frontEnd),
      history_(historyBudgetBytes),
      run_(std::make_unique<acquisition::MeasurementRun>(static_cast<RunHost &>(*this), port)) {}

Scope::~Scope() = default;

void Scope::setSettings(const settings::ScopeSettings &wanted) {
    if (mover_) return mover_(wanted);
    noteSettings(wanted);
}

void Scope::noteSettings(const settings::ScopeSettings &shown) {
    settings::ScopeSettings next = shown;
    next.calibration = settings_.calibration;
    if (next == settings_) return;
    settings_ = next;
    emit settingsChanged();
}

acquisition::RunSettings Scope::runSettings() const {
    return {settings_, port_};
}

void Scope::showMessage(const std::string &text, std::function<void()> closed) {
    emit messageShown(QString::fromStdString(text));
    frontEnd_.showMessage(text, std::move(closed));
}

void Scope::runStateChanged() {
    frontEnd_.runStateChanged();
    emit runChanged();
}

std::span<const std::int16_t> Scope::record() const {
    const auto length =
        static_cast<std::size_t>(std::clamp(settings_.recordLength, 0, kRecordLastPosition));
    return std::span<const std::int16_t>(samples_).subspan(1, length);
}

records::RecordFile Scope::recordOnScreen() const {
    records::RecordFile file;
    file.settings = settings_;
    file.taken = recordTaken_.isValid() ? recordTaken_ : QDateTime::currentDateTimeUtc();
    const std::span<const std::int16_t> samples = record();
    file.records.emplace_back(samples.begin(), samples.end());
    return file;
}

// The run's complete record: on screen, numbered, timed and, unless its handler says otherwise,
// kept in the history.
void Scope::takeRecord(std::span<const std::int16_t> record) {
    recordShown_ = true;
    recordFromUnit_ = true;
    const std::size_t length = std::min(record.size(), samples_.size() - 1);
    std::copy_n(record.begin(), length, samples_.begin() + 1);
    recordTaken_ = QDateTime::currentDateTimeUtc();
    ++recordNumber_;
    setCalibrationOnScreen(userCalibration_);
    const bool kept = !recordTakenHandler_ || recordTakenHandler_();
    if (kept) history_.add(recordOnScreen());
    historyShown_.reset();
    historyNewestNumber_ = kept ? recordNumber_ : 0;
    emit recordChanged();
    emit historyChanged();
}

void Scope::clearRecord() {
    if (!recordShown_) return;
    recordShown_ = false;
    emit recordChanged();
}

void Scope::showRecord(const records::RecordFile &entry) {
    const std::vector<std::int16_t> &record = entry.records.front();
    const std::size_t length = std::min(record.size(), samples_.size() - 1);
    std::copy_n(record.begin(), length, samples_.begin() + 1);
    recordTaken_ = entry.taken;
    ++recordNumber_;
    setCalibrationOnScreen(entry.settings.calibration);
    recordShown_ = true;
    recordFromUnit_ = false;
    emit recordChanged();
}

std::size_t Scope::keep(std::vector<records::RecordFile> entries) {
    for (records::RecordFile &entry : entries) history_.add(std::move(entry));
    historyNewestNumber_ = 0;
    emit historyChanged();
    return std::min(entries.size(), history_.size());
}

void Scope::clearHistory() {
    history_.clear();
    historyShown_.reset();
    historyNewestNumber_ = 0;
    emit historyChanged();
}

std::size_t Scope::historyPosition() const {
    if (historyShown_ && historyShown_->second == recordNumber_ && recordShown_)
        return historyShown_->first;
    return recordShown_ && recordNumber_ == historyNewestNumber_ ? history_.size() - 1
                                                                 : history_.size();
}

void Scope::noteHistoryShown(std::size_t index) {
    historyShown_ = std::pair(index, recordNumber_);
    historyNewestNumber_ = index + 1 == history_.size() ? recordNumber_ : 0;
    emit historyChanged();
}

void Scope::showHistoryEntry(std::size_t index) {
    if (index >= history_.size()) return;
    if (shower_) return shower_(index);
    const records::RecordFile &entry = history_.at(index);
    noteSettings(entry.settings);
    showRecord(entry);
    noteHistoryShown(index);
}

std::optional<analysis::CursorPositions> Scope::cursors() const {
    if (cursorsPlacedFor_ != std::pair(settings_.rateCode, settings_.recordLength)) return {};
    return cursors_;
}

void Scope::setCursors(const analysis::CursorPositions &positions) {
    cursors_ = positions;
    cursorsPlacedFor_ = {settings_.rateCode, settings_.recordLength};
    emit cursorsChanged();
}

void Scope::setUserCalibration(const std::optional<analysis::Calibration> &calibration) {
    userCalibration_ = calibration;
    setCalibrationOnScreen(calibration);
}

void Scope::setCalibrationOnScreen(const std::optional<analysis::Calibration> &calibration) {
    if (settings_.calibration == calibration) return;
    settings_.calibration = calibration;
    emit calibrationChanged();
}

}  // namespace kalvira::scope
