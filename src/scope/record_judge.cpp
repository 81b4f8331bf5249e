#include "record_judge.h"

#include <algorithm>

#include "history_statistics.h"
#include "scope.h"

namespace kalvira::scope {

RecordJudge::RecordJudge(Scope &scope, QObject *parent)
    : QObject(parent),
      scope_(scope),
      since_(QDateTime::currentDateTimeUtc()),
      statisticsFor_(scope.settings().rateCode, scope.settings().recordLength) {
    scope_.setRecordTakenHandler([this] { return takeRecord(); });
    connect(&scope_, &Scope::recordChanged, this, [this] { judgeScreen(false); });
    connect(&scope_, &Scope::calibrationChanged, this, [this] { judgeScreen(true); });
    connect(&scope_, &Scope::runChanged, this, &RecordJudge::noteRun);
    connect(&scope_, &Scope::settingsChanged, this, &RecordJudge::noteSettings);
    connect(&scope_, &Scope::historyChanged, this, &RecordJudge::noteHistory);
}

RecordJudge::~RecordJudge() {
    scope_.setRecordTakenHandler({});
}

void RecordJudge::resetStatistics() {
    statistics_ = {};
    trend_.clear();
    passed_ = failed_ = 0;
    since_ = QDateTime::currentDateTimeUtc();
    statisticsFor_ = {scope_.settings().rateCode, scope_.settings().recordLength};
    emit statisticsChanged();
}

// The record the run has just taken, on screen: measured, counted, judged; a fail may stop the
// run, and with "keep only failing" a pass stays out of the history.
bool RecordJudge::takeRecord() {
    const analysis::FigureValues values = screenValues();
    statistics_.add(values);
    if (trendKept_) trend_.add(scope_.recordNumber(), scope_.recordTaken(), values);
    lastTakenPassed_ = true;
    if (criteria_.judges()) {
        verdict_ = judge(values);
        verdictFor_ = scope_.recordNumber();
        lastTakenPassed_ = verdict_->passed();
        if (verdict_->tested) ++(lastTakenPassed_ ? passed_ : failed_);
        if (!lastTakenPassed_ && criteria_.stopAtFirstFail) scope_.stop();
    }
    emit statisticsChanged();
    return !criteria_.keepOnlyFailing || !lastTakenPassed_;
}

// again: the criteria, the reference or the reading changed, so even a record judged already is
// judged anew.
void RecordJudge::judgeScreen(bool again) {
    if (!criteria_.judges() || !scope_.recordShown()) {
        if (!verdict_) return;
        verdict_.reset();
    } else if (again || !verdict_ || verdictFor_ != scope_.recordNumber()) {
        verdict_ = judge(screenValues());
        verdictFor_ = scope_.recordNumber();
    } else {
        return;
    }
    emit verdictChanged();
}

void RecordJudge::noteRun() {
    const bool running = scope_.running();
    if (running && !wasRunning_ && resetAtStart_) resetStatistics();
    wasRunning_ = running;
}

void RecordJudge::noteSettings() {
    const std::pair rateAndLength(scope_.settings().rateCode, scope_.settings().recordLength);
    if (rateAndLength != statisticsFor_) resetStatistics();
}

// The marks stand for entries as they were: once the records kept change, they mean nothing.
void RecordJudge::noteHistory() {
    if (marks_.empty()) return;
    const records::RecordHistory &history = scope_.history();
    const bool same =
        history.size() == marksSize_ && !history.empty() &&
        std::pair(history.at(0).taken, history.at(history.size() - 1).taken) == marksFor_;
    if (!same) marks_.clear();
}

void RecordJudge::markHistoryEntry(std::size_t index) {
    const records::RecordHistory &history = scope_.history();
    if (index >= history.size()) return;
    noteHistory();
    const auto found = std::find(marks_.begin(), marks_.end(), index);
    if (found != marks_.end()) {
        marks_.erase(found);
    } else {
        if (marks_.size() == 2) marks_.clear();
        marks_.push_back(index);
    }
    marksSize_ = history.size();
    marksFor_ = {history.at(0).taken, history.at(history.size() - 1).taken};
}

std::vector<std::size_t> RecordJudge::historyMarks() const {
    std::vector<std::size_t> sorted = marks_;
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

std::optional<std::pair<std::size_t, std::size_t>> RecordJudge::historyRange() const {
    const std::size_t size = scope_.history().size();
    if (size == 0) return std::nullopt;
    if (marks_.size() < 2) return std::pair<std::size_t, std::size_t>(0, size - 1);
    const auto [low, high] = std::minmax(marks_[0], marks_[1]);
    return std::pair(low, high);
}

analysis::FigureStatistics RecordJudge::historyStatistics() const {
    const auto range = historyRange();
    if (!range) return {};
    return scope::historyStatistics(scope_.history(), range->first, range->second,
                                    reference_ ? &*reference_ : nullptr);
}

void RecordJudge::setReference(records::RecordFile entry) {
    if (entry.records.empty()) return;
    entry.records.resize(1);
    reference_ = std::move(entry);
    band_.reset();
    emit referenceChanged();
    judgeScreen(true);
}

void RecordJudge::clearReference() {
    if (!reference_) return;
    reference_.reset();
    band_.reset();
    emit referenceChanged();
    judgeScreen(true);
}

bool RecordJudge::referenceFits() const {
    return reference_ && scope_.recordShown() &&
           reference_->settings.rateCode == scope_.settings().rateCode;
}

std::optional<analysis::ReferenceDifference> RecordJudge::deltaRef() const {
    if (!referenceFits()) return std::nullopt;
    return analysis::referenceDifference(scope_.record(), reference_->records.front(),
                                         scope_.settings().calibration);
}

void RecordJudge::setCriteria(const JudgeCriteria &criteria) {
    if (criteria == criteria_) return;
    criteria_ = criteria;
    band_.reset();
    judgeScreen(true);
}

analysis::FigureValues RecordJudge::screenValues() const {
    if (!scope_.recordShown()) return {};
    return recordValues(scope_.settings(), scope_.record(),
                        referenceFits() ? &*reference_ : nullptr);
}

analysis::Verdict RecordJudge::judge(const analysis::FigureValues &values) {
    return analysis::judgeRecord(criteria_.limits, values, appliedMask(), scope_.record());
}

// The band is made once for a reference, a tolerance and the level in counts it comes to.
analysis::AppliedMask RecordJudge::appliedMask() {
    if (!criteria_.mask) return std::nullopt;
    if (!reference_) return analysis::MaskProblem::NoReference;
    if (reference_->settings.rateCode != scope_.settings().rateCode)
        return analysis::MaskProblem::OtherRate;
    const auto level = analysis::levelInCounts(*criteria_.mask, scope_.settings().calibration);
    if (!level) return analysis::MaskProblem::NoCalibration;
    if (!band_ || bandLevel_ != *level) {
        band_ = analysis::maskBand(reference_->records.front(), *level, criteria_.mask->samples);
        bandLevel_ = *level;
    }
    return &*band_;
}

}  // namespace kalvira::scope
