// Limits on the figures and the mask about the reference, set in their dialog and remembered:
// each record taken is tested against them, the readout counts passes and fails, and a failing
// record's failing samples are marked on the picture with a tag naming what failed.
#include <QAction>
#include <QMenu>
#include <QSettings>

#include "display/plot_mapping.h"
#include "failure_marks.h"
#include "form1.h"
#include "limits_dialog.h"
#include "reference_overlay.h"
#include "scope/record_judge.h"
#include "scope/scope.h"
#include "settings_store.h"
#include "verdict_text.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "limits";

// A limit as the command line writes it, "frequency_hz=195..205", with every digit kept.
QString limitText(const analysis::FigureLimit &limit) {
    const auto key = analysis::factsOf(limit.figure).key;
    return QStringLiteral("%1=%2..%3")
        .arg(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())))
        .arg(limit.low, 0, 'g', 17)
        .arg(limit.high, 0, 'g', 17);
}

// The remembered criteria; what no longer reads as a limit or a mask is left out.
scope::JudgeCriteria rememberedCriteria() {
    QSettings stored = settingsStore();
    stored.beginGroup(QLatin1String(kGroup));
    scope::JudgeCriteria criteria;
    for (const QString &text : stored.value(QStringLiteral("figures")).toStringList()) {
        const auto read = analysis::parseLimit(text.toStdString());
        if (const auto *limit = std::get_if<analysis::FigureLimit>(&read))
            criteria.limits.push_back(*limit);
    }
    if (stored.value(QStringLiteral("mask"), false).toBool()) {
        analysis::MaskTolerance mask;
        mask.level = std::max(0.0, stored.value(QStringLiteral("maskLevel"), 0.0).toDouble());
        mask.inVolts = stored.value(QStringLiteral("maskInVolts"), false).toBool();
        mask.samples = std::clamp(stored.value(QStringLiteral("maskSamples"), 0).toInt(), 0,
                                  analysis::kMaxMaskSamples);
        criteria.mask = mask;
    }
    criteria.stopAtFirstFail = stored.value(QStringLiteral("stopAtFirstFail"), false).toBool();
    criteria.keepOnlyFailing = stored.value(QStringLiteral("keepOnlyFailing"), false).toBool();
    return criteria;
}

void remember(const scope::JudgeCriteria &criteria) {
    QSettings stored = settingsStore();
    stored.remove(QLatin1String(kGroup));
    stored.beginGroup(QLatin1String(kGroup));
    QStringList figures;
    for (const analysis::FigureLimit &limit : criteria.limits) figures << limitText(limit);
    stored.setValue(QStringLiteral("figures"), figures);
    stored.setValue(QStringLiteral("mask"), criteria.mask.has_value());
    if (criteria.mask) {
        stored.setValue(QStringLiteral("maskLevel"), criteria.mask->level);
        stored.setValue(QStringLiteral("maskInVolts"), criteria.mask->inVolts);
        stored.setValue(QStringLiteral("maskSamples"), criteria.mask->samples);
    }
    stored.setValue(QStringLiteral("stopAtFirstFail"), criteria.stopAtFirstFail);
    stored.setValue(QStringLiteral("keepOnlyFailing"), criteria.keepOnlyFailing);
}

}  // namespace

void Form1::createLimits() {
    failureMarks_ = new FailureMarks(this);
    failureMarks_->hide();
    judge_->setCriteria(rememberedCriteria());
    connect(addPictureCommand(tr("Limits and mask…"), Qt::Key_L), &QAction::triggered, this,
            [this] { askForLimits(); });
}

void Form1::askForLimits() {
    if (limitsDialog_) return limitsDialog_->raise();
    limitsDialog_ = new LimitsDialog(judge_->criteria(), calibrationOnScreen().has_value(), this);
    connect(limitsDialog_, &LimitsDialog::chosen, this,
            [this](const scope::JudgeCriteria &criteria) {
                remember(criteria);
                judge_->setCriteria(criteria);
                refreshReadout();
                refreshFailures();
            });
    limitsDialog_->open();
}

void Form1::refreshFailures() {
    if (!failureMarks_) return;
    const auto &verdict = judge_->verdict();
    if (!verdict || verdict->passed() || !scope_->recordShown()) {
        failureMarks_->hide();
        return;
    }
    const display::PlotMapping mapping = plotMapping();
    const std::span<const std::int16_t> record = scope_->record();
    std::vector<QPoint> marks;
    for (const std::int32_t index : verdict->samplesOutside) {
        if (static_cast<std::size_t>(index) >= record.size()) continue;
        const std::int32_t x = display::sampleX(mapping, index + 1);
        if (x < 0 || x >= static_cast<std::int32_t>(mapping.plotWidth)) continue;
        // A sample beyond the top or the bottom is marked at that edge.
        const float y = display::levelY(mapping, record[static_cast<std::size_t>(index)]);
        marks.emplace_back(x, std::clamp(static_cast<int>(std::lround(y)), 3, height() - 4));
    }
    failureMarks_->setGeometry(0, 0, std::max(0, static_cast<int>(mapping.plotWidth)), height());
    failureMarks_->showFailures(std::move(marks), failureTag(*verdict, record.size()));
    failureMarks_->show();
    failureMarks_->lower();
    if (referenceOverlay_) referenceOverlay_->lower();  // the reference lowest of all
}

}  // namespace kalvira::ui
