#pragma once

#include <QDateTime>
#include <QObject>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/figure_limits.h"
#include "analysis/figure_statistics.h"
#include "analysis/record_mask.h"
#include "analysis/record_verdict.h"
#include "analysis/reference_difference.h"
#include "records/record_file.h"
#include "trend_series.h"

namespace kalvira::scope {

class Scope;

// What each record taken is judged by: limits on its figures, a mask about the reference, and
// what a fail does to the run and the history.
struct JudgeCriteria {
    std::vector<analysis::FigureLimit> limits;
    std::optional<analysis::MaskTolerance> mask;  // none: no mask test
    bool stopAtFirstFail = false;
    bool keepOnlyFailing = false;  // a record that passes is not kept in the history
    bool judges() const { return !limits.empty() || mask.has_value(); }
    bool operator==(const JudgeCriteria &) const = default;
};

// Judges the records of a scope: the statistics of their figures since the last reset with the
// trend of each record's figures, the reference trace and each record's difference from it, and
// the pass and fail counts of the records tested against the limits and the mask. It measures
// every record the run takes, whether or not anything shows it; a record opened or stepped to is
// judged for the screen but not counted. Widget-free: the window and kalvira-capture share it.
class RecordJudge final : public QObject {
    Q_OBJECT
public:
    // scope must outlive the judge; the judge becomes its record-taken handler.
    explicit RecordJudge(Scope &scope, QObject *parent = nullptr);
    ~RecordJudge() override;

    // --- Statistics: since a new run, resetStatistics() or a change of rate or length.
    const analysis::FigureStatistics &statistics() const { return statistics_; }
    const TrendSeries &trend() const { return trend_; }
    // When the statistics were last reset, UTC.
    const QDateTime &statisticsSince() const { return since_; }
    // The statistics, the trend and the pass and fail counts start again.
    void resetStatistics();
    // Whether a new run resets them (the window); kalvira-capture, whose --interval takes each
    // record in a run of its own, keeps them over the whole capture.
    void setResetAtStart(bool reset) { resetAtStart_ = reset; }
    // Whether the trend is kept; a capture has no window to show it.
    void setTrendKept(bool kept) { trendKept_ = kept; }

    // --- The history: statistics of every entry kept, or of those between two marks.
    // Marks the entry (a third mark starts a new pair, the same one again takes its mark away);
    // the marks go when the history's records change.
    void markHistoryEntry(std::size_t index);
    std::vector<std::size_t> historyMarks() const;
    // First and last entry the history's statistics take: the marked ones, or all; none when
    // the history is empty.
    std::optional<std::pair<std::size_t, std::size_t>> historyRange() const;
    analysis::FigureStatistics historyStatistics() const;

    // --- The reference: a record with the settings it was taken with.
    const std::optional<records::RecordFile> &reference() const { return reference_; }
    // The first record of entry becomes the reference.
    void setReference(records::RecordFile entry);
    void clearReference();
    // Whether the reference stands beside the record on screen: one of its sample rate.
    bool referenceFits() const;
    // How far the record on screen lies from the reference; none unless it fits.
    std::optional<analysis::ReferenceDifference> deltaRef() const;

    // --- Limits and the mask.
    const JudgeCriteria &criteria() const { return criteria_; }
    void setCriteria(const JudgeCriteria &criteria);
    // Records taken since the last reset that passed and that failed; one that nothing could test
    // (only a mask, and no reference of its rate) counts for neither.
    std::int64_t passCount() const { return passed_; }
    std::int64_t failCount() const { return failed_; }
    // The verdict on the record on screen, however it came there; none without criteria.
    const std::optional<analysis::Verdict> &verdict() const { return verdict_; }
    // Whether the last record taken passed; true when nothing judges or tests it.
    bool lastTakenPassed() const { return lastTakenPassed_; }

signals:
    void statisticsChanged();  // a record taken, or a reset
    void referenceChanged();
    void verdictChanged();  // the record on screen judged anew

private:
    bool takeRecord();
    void judgeScreen(bool again);
    void noteRun();
    void noteSettings();
    void noteHistory();
    analysis::FigureValues screenValues() const;
    analysis::Verdict judge(const analysis::FigureValues &values);
    analysis::AppliedMask appliedMask();

    Scope &scope_;
    analysis::FigureStatistics statistics_;
    TrendSeries trend_;
    QDateTime since_;
    bool resetAtStart_ = true;
    bool trendKept_ = true;
    bool wasRunning_ = false;
    std::pair<int, int> statisticsFor_;  // the rate and length they were taken at

    std::vector<std::size_t> marks_;
    std::pair<QDateTime, QDateTime> marksFor_;  // the oldest and newest entry when marked
    std::size_t marksSize_ = 0;

    std::optional<records::RecordFile> reference_;
    JudgeCriteria criteria_;
    std::optional<analysis::MaskBand> band_;
    double bandLevel_ = 0.0;  // the level in counts the band was made with
    std::int64_t passed_ = 0;
    std::int64_t failed_ = 0;
    std::optional<analysis::Verdict> verdict_;
    std::uint64_t verdictFor_ = 0;  // the record number it was made for
    bool lastTakenPassed_ = true;
};

}  // namespace kalvira::scope
