// How the record on screen reads in volts: the user's calibration, chosen in its dialog from the
// picture's menu and remembered, reads every record taken; a record opened from a file reads by
// the file's calibration, or in counts without one, until the next record or the next choice.
#include <QAction>
#include <QMenu>
#include <QSettings>

#include "calibration_dialog.h"
#include "form1.h"
#include "scope/scope.h"
#include "settings_store.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "calibration";

// The remembered calibration, none when there is none or it is no longer a valid one.
std::optional<analysis::Calibration> rememberedCalibration() {
    QSettings stored = settingsStore();
    stored.beginGroup(QLatin1String(kGroup));
    bool slopeRead = false;
    bool zeroRead = false;
    bool probeRead = false;
    const double voltsPerCount = stored.value(QStringLiteral("voltsPerCount")).toDouble(&slopeRead);
    const double zeroCount = stored.value(QStringLiteral("zeroCount")).toDouble(&zeroRead);
    const int probe = stored.value(QStringLiteral("probe")).toInt(&probeRead);
    if (!slopeRead || !zeroRead || !probeRead) return std::nullopt;
    const auto made = analysis::makeCalibration(voltsPerCount, zeroCount, probe);
    const auto *calibration = std::get_if<analysis::Calibration>(&made);
    return calibration ? std::optional(*calibration) : std::nullopt;
}

void remember(const std::optional<analysis::Calibration> &calibration) {
    QSettings stored = settingsStore();
    stored.remove(QLatin1String(kGroup));
    if (!calibration) return;
    stored.beginGroup(QLatin1String(kGroup));
    stored.setValue(QStringLiteral("voltsPerCount"), calibration->voltsPerCount);
    stored.setValue(QStringLiteral("zeroCount"), calibration->zeroCount);
    stored.setValue(QStringLiteral("probe"), calibration->probe);
}

}  // namespace

void Form1::createCalibrationAction() {
    scope_->setUserCalibration(rememberedCalibration());
    connect(addPictureCommand(tr("Calibration…")), &QAction::triggered, this,
            [this] { askForCalibration(); });
}

void Form1::askForCalibration() {
    if (calibrationDialog_) return calibrationDialog_->raise();
    calibrationDialog_ = new CalibrationDialog(calibrationOnScreen(), this);
    connect(calibrationDialog_, &CalibrationDialog::chosen, this,
            [this](const std::optional<analysis::Calibration> &calibration) {
                remember(calibration);
                scope_->setUserCalibration(calibration);  // the record on screen reads by it too
                refreshReadout();
                refreshCursors();
                spectrumShows_.reset();
                refreshSpectrum();
            });
    calibrationDialog_->open();
}

const std::optional<analysis::Calibration> &Form1::calibrationOnScreen() const {
    return scope_->settings().calibration;
}

}  // namespace kalvira::ui
