#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <complex>
#include <numbers>

#include "form_controls.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "ui/form1.h"
#include "ui/spectrum_harmonics.h"
#include "ui/spectrum_marker_panel.h"
#include "ui/spectrum_plot.h"
#include "ui/spectrum_window.h"

using kalvira::testing::control;

namespace kalvira::ui {
namespace {

// 2000 samples at 40 kSPS, bins of 20 Hz: 400 counts at 1 kHz (bin 50) and `second` at 2 kHz
// (bin 100) about 512, each on its bin, so that the window reads what the record's DFT holds.
std::vector<std::int16_t> tones(double second, int length = 2000) {
    std::vector<std::int16_t> samples;
    for (int n = 0; n < length; ++n) {
        const double x = 2 * std::numbers::pi * n / 40;
        samples.push_back(
            std::int16_t(std::lround(512 + 400 * std::sin(x) + second * std::sin(2 * x))));
    }
    return samples;
}

// The level of bin k of a record of whole periods, from its DFT term alone, in dBFS.
double dbfsAt(const std::vector<std::int16_t> &samples, int k) {
    std::complex<double> sum;
    const double n = static_cast<double>(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        sum += double(samples[i]) * std::polar(1.0, -2 * std::numbers::pi * k * double(i) / n);
    return 20 * std::log10(2 * std::abs(sum) / n / 511.5);
}

QString fixed(double value, const char *unit) {
    return QString::number(value, 'f', 2) + QLatin1String(unit);
}

SpectrumWindow::ShownRecord shown(double second, std::uint64_t number, bool fromUnit) {
    return {tones(second), 40000, {}, std::nullopt, number, fromUnit};
}

void click(const QWidget &window, const char *button) {
    control<QPushButton>(window, button)->click();
}

TEST(SpectrumWindow, MarkersFindThePeaksReadTheirDifferenceAndStayAcrossRecords) {
    SpectrumWindow window;
    window.show();
    window.showRecord(shown(40, 1, true));
    auto *panel = window.findChild<SpectrumMarkerPanel *>();
    auto *table = control<QTableWidget>(window, "spectrumMarkers");
    click(window, "spectrumPeak");
    table->setCurrentCell(1, 0);
    click(window, "spectrumNextPeak");  // from M1's peak
    const auto row = [&](int r) {
        return QStringList{panel->cellText(r, 1), panel->cellText(r, 2), panel->cellText(r, 3)}
            .join('|')
            .toStdString();
    };
    const auto first = tones(40), second = tones(4);
    const double m1 = dbfsAt(first, 50), m2 = dbfsAt(first, 100);
    EXPECT_EQ(row(0), ("1 kHz|" + fixed(m1, " dBFS") + "|").toStdString());
    EXPECT_EQ(row(1),
              ("2 kHz|" + fixed(m2, " dBFS") + "|1 kHz, " + fixed(m2 - m1, " dB")).toStdString());
    EXPECT_EQ(window.findChild<SpectrumHarmonics *>()->cellText(0, 2), fixed(m2 - m1, " dBc"));

    // A click a quarter across the plot's area puts M3 on the bin nearest 5 kHz.
    table->setCurrentCell(2, 0);
    const auto &plot = window.plot();
    QTest::mouseClick(const_cast<SpectrumPlot *>(&plot), Qt::LeftButton, {},
                      QPoint(60 + (plot.width() - 75) / 4, plot.height() / 2));
    ASSERT_TRUE(panel->places()[2]);
    EXPECT_NEAR(*panel->places()[2], 5000, 40);
    EXPECT_EQ(std::fmod(*panel->places()[2], 20), 0);

    window.showRecord(shown(4, 2, true));  // the harmonic 20 dB lower, the markers where they were
    const double lower = dbfsAt(second, 100);
    EXPECT_EQ(row(1), ("2 kHz|" + fixed(lower, " dBFS") + "|1 kHz, " +
                       fixed(lower - dbfsAt(second, 50), " dB"))
                          .toStdString());
    QTemporaryDir dir;
    window.actions().at(1)->trigger();  // Ctrl+S
    auto *dialog = window.findChild<QFileDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(dir.filePath("s.csv"));
    static_cast<QDialog *>(dialog)->accept();
    QFile file(dir.filePath("s.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString lines = QStringLiteral(
                              "# marker_m1_hz=1000\n# marker_m1_db=%1\n"
                              "# marker_m2_hz=2000\n# marker_m2_db=%2\n")
                              .arg(dbfsAt(second, 50), 0, 'f', 3)
                              .arg(lower, 0, 'f', 3);
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(lines)) << lines.toStdString();

    // The sine fit of a pure tone reads its frequency; under 5 periods it has none.
    window.showRecord({tones(0), 40000, {}, std::nullopt, 3, true});
    EXPECT_TRUE(window.sineFitText().startsWith("1 kHz · ")) << window.sineFitText().toStdString();
    window.showRecord({tones(0, 196), 40000, {}, std::nullopt, 4, true});
    EXPECT_TRUE(window.sineFitText().startsWith("– ")) << window.sineFitText().toStdString();
}

// Peak hold over the run's records: each record once, one opened starts afresh, and Reset too;
// linear over 2 is complete at 2; over the history it takes the history's records.
TEST(SpectrumWindow, AveragingCountsEachRunRecordOnceAndRestartsForOneOpened) {
    SpectrumWindow window;
    auto *mode = control<QComboBox>(window, "spectrumAveraging");
    auto *source = control<QComboBox>(window, "spectrumAveragingSource");
    source->setCurrentIndex(0);
    mode->setCurrentIndex(3);  // peak hold
    const auto count = [&] { return control<QLabel>(window, "spectrumAveragedCount")->text(); };
    const auto second = [&] { return window.findChild<SpectrumHarmonics *>()->cellText(0, 2); };
    for (const auto &[level, number] : {std::pair(40.0, 1), {4.0, 2}, {4.0, 2}})
        window.showRecord(shown(level, std::uint64_t(number), true));
    const auto dbc = [](const std::vector<std::int16_t> &r) {
        return fixed(dbfsAt(r, 100) - dbfsAt(r, 50), " dBc");
    };
    const std::vector<std::int16_t> a = tones(40), b = tones(4);
    EXPECT_EQ(count(), "2 records");
    EXPECT_EQ(second(), dbc(a));  // the higher of the two held: the fundamentals are alike
    window.showRecord(shown(4, 3, false));
    EXPECT_EQ(count(), "1 record");
    EXPECT_EQ(second(), dbc(b));

    mode->setCurrentIndex(1);  // linear
    control<QSpinBox>(window, "spectrumAveragedRecords")->setValue(2);
    for (std::uint64_t number = 4; number <= 6; ++number) window.showRecord(shown(4, number, true));
    EXPECT_EQ(count(), "2 / 2 records");

    window.setHistoryRecords([&] { return std::vector<std::span<const std::int16_t>>{a, b, b}; });
    mode->setCurrentIndex(3);
    source->setCurrentIndex(1);
    EXPECT_EQ(count(), "3 records");
    EXPECT_EQ(second(), dbc(a));
    click(window, "spectrumAveragingReset");
    EXPECT_EQ(count(), "3 records");  // the history as it is
    mode->setCurrentIndex(0);
}

// The window's history: the records of the rate and length on screen, not one of another length.
TEST(SpectrumWindow, FollowsTheHistoryOfTheRecordOnScreensRateAndLength) {
    Form1 form;
    control<QScrollBar>(form, "SampleScroll")->setValue(20);
    testing::showSamples(form.scope(), tones(40));
    records::RecordFile other = form.scope().recordOnScreen(), same = other;
    other.settings.recordLength = 1000;
    other.records = {std::vector<std::int16_t>(1000, 512)};
    form.scope().keep({same, other, same});
    const auto actions = form.actions();
    const auto spectrum = std::find_if(actions.begin(), actions.end(),
                                       [](const QAction *a) { return a->text() == "Spectrum"; });
    ASSERT_NE(spectrum, actions.end());
    (*spectrum)->trigger();
    QApplication::processEvents();  // the window's update is posted
    auto *window = control<SpectrumWindow>(form, "spectrumWindow");
    control<QComboBox>(*window, "spectrumAveragingSource")->setCurrentIndex(1);
    control<QComboBox>(*window, "spectrumAveraging")->setCurrentIndex(4);  // minimum hold
    EXPECT_EQ(control<QLabel>(*window, "spectrumAveragedCount")->text(), "2 records");
    control<QComboBox>(*window, "spectrumAveraging")->setCurrentIndex(0);
}

}  // namespace
}  // namespace kalvira::ui
