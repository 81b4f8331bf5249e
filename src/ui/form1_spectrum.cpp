// The spectrum window beside the picture: created on first use, it follows the record on screen,
// each new one and each one opened, and the history for its averaging. Its update is posted, so a
// commit's redraw stays short.
#include <QTimer>

#include "common/link_facts.h"
#include "form1.h"
#include "records/record_file.h"
#include "records/spectrum_settings.h"
#include "scope/scope.h"
#include "spectrum_window.h"

namespace kalvira::ui {

void Form1::showSpectrum() {
    if (!spectrumWindow_) {
        spectrumWindow_ = new SpectrumWindow(this);
        spectrumWindow_->setHistoryRecords([this] {
            std::vector<std::span<const std::int16_t>> records;
            const auto &history = scope_->history();
            const auto &shown = scope_->settings();
            for (std::size_t i = 0; i < history.size(); ++i) {
                const records::RecordFile &entry = history.at(i);
                if (entry.settings.rateCode == shown.rateCode &&
                    entry.settings.recordLength == shown.recordLength && !entry.records.empty())
                    records.emplace_back(entry.records.front());
            }
            return records;
        });
        connect(scope_.get(), &scope::Scope::historyChanged, spectrumWindow_,
                [this] { refreshSpectrum(); });
    }
    spectrumWindow_->show();
    spectrumWindow_->raise();
    spectrumWindow_->activateWindow();
    spectrumShows_.reset();
    refreshSpectrum();
}

void Form1::refreshSpectrum() {
    if (!spectrumWindow_ || !spectrumWindow_->isVisible() || spectrumDue_) return;
    const std::array<std::int64_t, 5> shows{
        scope_->recordShown() ? -1 : 0, static_cast<std::int64_t>(scope_->recordNumber()),
        scope_->settings().rateCode, scope_->settings().recordLength,
        static_cast<std::int64_t>(scope_->history().size())};
    if (spectrumShows_ == shows) return;
    spectrumDue_ = true;
    QTimer::singleShot(0, this, [this, shows] {
        spectrumDue_ = false;
        // Taken when it runs: a record arriving meanwhile is shown, and seen again next time.
        spectrumShows_ = shows;
        if (!scope_->recordShown() || scope_->settings().rateCode < 0) {
            spectrumWindow_->showRecord({});
            return;
        }
        const records::RecordFile file = scope_->recordOnScreen();
        spectrumWindow_->showRecord({file.records.front(),
                                     static_cast<double>(file.settings.sampleRateSps()),
                                     records::spectrumSettings(file), file.settings.calibration,
                                     scope_->recordNumber(), scope_->recordFromUnit()});
    });
}

}  // namespace kalvira::ui
