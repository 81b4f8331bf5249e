// The spectrum window beside the picture: created on first use, it follows the record on screen,
// each new one and each one opened. Its update is posted, so a commit's redraw stays short.
#include <QScrollBar>
#include <QTimer>

#include "common/link_facts.h"
#include "form1.h"
#include "records/record_file.h"
#include "records/spectrum_settings.h"
#include "spectrum_window.h"

namespace kalvira::ui {

void Form1::showSpectrum() {
    if (!spectrumWindow_) spectrumWindow_ = new SpectrumWindow(this);
    spectrumWindow_->show();
    spectrumWindow_->raise();
    spectrumWindow_->activateWindow();
    spectrumShows_.reset();
    refreshSpectrum();
}

void Form1::refreshSpectrum() {
    if (!spectrumWindow_ || !spectrumWindow_->isVisible() || spectrumDue_) return;
    const std::array<std::int64_t, 4> shows{MeresVege, static_cast<std::int64_t>(recordNumber_),
                                            SampleRate.selectedIndex(), SampleScroll->value()};
    if (spectrumShows_ == shows) return;
    spectrumDue_ = true;
    QTimer::singleShot(0, this, [this, shows] {
        spectrumDue_ = false;
        // Taken when it runs: a record arriving meanwhile is shown, and seen again next time.
        spectrumShows_ = shows;
        if (MeresVege != -1 || SampleRate.selectedIndex() < 0) {
            spectrumWindow_->showRecord({}, 0, {});
            return;
        }
        const records::RecordFile file = recordOnScreen();
        spectrumWindow_->showRecord(file.records.front(), file.sampleRateSps,
                                    records::spectrumSettings(file), file.calibration);
    });
}

}  // namespace kalvira::ui
