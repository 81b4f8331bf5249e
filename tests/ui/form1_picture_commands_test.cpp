#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include "form_controls.h"
#include "records/record_file.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "scoped_environment.h"
#include "ui/calibration_dialog.h"
#include "ui/cursor_overlay.h"
#include "ui/form1.h"
#include "ui/option_button.h"
#include "ui/spectrum_plot.h"
#include "ui/spectrum_window.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira::ui {
namespace {

void loadRecord(Form1 &form) {
    std::vector<std::int16_t> samples;
    for (int k = 1; k <= 1200; ++k) samples.push_back(std::int16_t(300 + (k * 7) % 500));
    control<QScrollBar>(form, "SampleScroll")->setValue(12);
    testing::showSamples(form.scope(), samples);
    form.Koord_rendszer_rajzolasa();
}

// Runs the window's command, answering its file dialog, if it asks, with path.
void command(Form1 &form, const QString &text, const QString &path = {}) {
    const QList<QAction *> actions = form.actions();
    const auto action = std::find_if(actions.begin(), actions.end(),
                                     [&](const QAction *a) { return a->text() == text; });
    ASSERT_NE(action, actions.end()) << "no command " << text.toStdString();
    (*action)->trigger();
    if (path.isEmpty()) return;
    auto *dialog = form.findChild<QFileDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible() && dialog->windowModality() == Qt::WindowModal);
    EXPECT_NE(qobject_cast<QLineEdit *>(dialog->focusWidget()), nullptr) << "file name field";
    dialog->selectFile(path);
    static_cast<QDialog *>(dialog)->accept();
}

QString notice(const Form1 &form) {
    const auto boxes = form.findChildren<QMessageBox *>();
    return boxes.isEmpty() ? QString() : boxes.back()->text();
}

TEST(Form1Records, ASavedRecordOpensAsThePictureItWasWithItsSettings) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.csv"));
    Form1 saved;
    option(saved, "TimeOption", 12)->setChecked(true);
    option(saved, "SampleRate", 6)->setChecked(true);
    option(saved, "LineStyleOption", 1)->setChecked(true);
    loadRecord(saved);
    control<QScrollBar>(saved, "Hscroll")->setValue(3);
    command(saved, QStringLiteral("Save record…"), path);

    Form1 opened;
    ASSERT_TRUE(opened.openRecordFile(path)) << notice(opened).toStdString();
    EXPECT_TRUE(opened.scope().recordShown());
    EXPECT_EQ(control<QScrollBar>(opened, "SampleScroll")->value(), 12);
    EXPECT_EQ(control<QScrollBar>(opened, "Hscroll")->value(), 3);
    EXPECT_TRUE(opened.picture() == saved.picture());
}

TEST(Form1Records, ABrokenFileIsRefusedNamingItsLineAndNothingChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.csv"));
    records::RecordFile record;
    record.taken = QDateTime::currentDateTimeUtc();
    record.records.assign(1, std::vector<std::int16_t>(5000, 512));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(records::formatRecordFile(record).replace("=40000", "=12345"));
    file.close();
    Form1 form;
    loadRecord(form);
    const QImage before = form.picture();
    EXPECT_FALSE(form.openRecordFile(path));
    EXPECT_TRUE(notice(form).contains(QStringLiteral("bad.csv, line 2")))
        << notice(form).toStdString();
    EXPECT_TRUE(form.scope().recordShown());
    EXPECT_TRUE(form.picture() == before);
}

TEST(Form1Records, NoRecordOpensWhileARunIsInProgress) {
    const testing::ScopedEnvironment com1("KALVIRA_COM1", "/nonexistent/ttyKALVIRA");
    Form1 form;
    // The port fails to open: the run stays in progress under its message.
    control<QPushButton>(form, "start")->click();
    ASSERT_TRUE(form.runInProgress());
    EXPECT_FALSE(form.openRecordFile(QStringLiteral("/nonexistent/rec.csv")));
    EXPECT_TRUE(notice(form).contains(QStringLiteral("while a measurement")))
        << notice(form).toStdString();
}

TEST(Form1Records, SavingWithNoRecordOnScreenSaysSoInsteadOfAskingForAFile) {
    Form1 form;
    command(form, QStringLiteral("Save record…"));
    EXPECT_TRUE(notice(form).contains(QStringLiteral("no record"))) << notice(form).toStdString();
}

TEST(Form1Readout, KeyMShowsTheMeasurementsAndHidesThemLeavingThePictureAsItWas) {
    Form1 form;
    loadRecord(form);
    const QImage before = form.grab().toImage();
    command(form, QStringLiteral("Measurements"));
    EXPECT_FALSE(form.grab().toImage() == before);
    // 7k mod 500 takes every value 0..499 over any 500 samples in a row.
    const QStringList lines = control<QLabel>(form, "measurementReadout")->text().split('\n');
    EXPECT_EQ(lines.mid(2, 3), (QStringList{"min = 300", "max = 799", "p-p = 499"}))
        << lines.join('|').toStdString();
    command(form, QStringLiteral("Measurements"));
    EXPECT_TRUE(form.grab().toImage() == before);
}

// n lines of the cursor readout from line first (T1, T2, Δt, 1/Δt, V1, V2, ΔV), joined by '|'.
std::string cursorLines(const Form1 &form, int first, int n) {
    const auto *overlay = control<CursorOverlay>(form, "cursorOverlay");
    return overlay->readout().mid(first, n).join('|').toStdString();
}

QStringList readoutLevels(const Form1 &form) {
    return control<QLabel>(form, "measurementReadout")->text().split('\n').mid(2, 2);
}

// Opens the calibration dialog from the picture's menu: 0 V at count 512, 1 V at countB, ×10.
CalibrationDialog &calibrationDialog(Form1 &form, int countB = 612) {
    command(form, QStringLiteral("Calibration…"));
    auto &dialog = *control<CalibrationDialog>(form, "calibrationDialog");
    EXPECT_TRUE(dialog.isVisible() && dialog.windowModality() == Qt::WindowModal);
    control<QRadioButton>(dialog, "twoPoints")->setChecked(true);
    control<QSpinBox>(dialog, "countA")->setValue(512);
    control<QLineEdit>(dialog, "voltsA")->setText("0");
    control<QSpinBox>(dialog, "countB")->setValue(countB);
    control<QLineEdit>(dialog, "voltsB")->setText("1");
    control<QComboBox>(dialog, "probe")->setCurrentIndex(1);
    return dialog;
}
void pressOk(CalibrationDialog &dialog) {
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

// 0.01 V a count through a probe of 10: loadRecord's 300..799 read -21.2..28.7 V.
TEST(Form1Calibration, TheRecordOnScreenAndItsFileReadInVoltsAndTheChoiceIsRemembered) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.csv"), calibrated = dir.filePath("calibrated.csv");
    const QStringList inVolts{"min = -21.20 V (300)", "max = 28.70 V (799)"};
    const QStringList inCounts{"min = 300", "max = 799"};
    Form1 form;
    loadRecord(form);
    command(form, QStringLiteral("Measurements"));
    command(form, QStringLiteral("Save record…"), plain);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the file dialog, closed
    CalibrationDialog &dialog = calibrationDialog(form, 512);
    pressOk(dialog);  // both points at one count: it stays and says so
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(control<QLabel>(dialog, "problem")->text(),
              "The two points must be at different counts.");
    control<QSpinBox>(dialog, "countB")->setValue(612);
    pressOk(dialog);
    EXPECT_EQ(readoutLevels(form), inVolts);
    command(form, QStringLiteral("Cursors"));  // V1 and V2 on 300 and 799; a difference has no zero
    EXPECT_EQ(cursorLines(form, 4, 3), "V1 = -21.20 V (300)|V2 = 28.70 V (799)|ΔV = 49.90 V (499)");
    command(form, QStringLiteral("Save record…"), calibrated);
    ASSERT_TRUE(form.openRecordFile(plain));  // a file without a calibration reads in counts
    EXPECT_EQ(readoutLevels(form), inCounts);
    ASSERT_TRUE(form.openRecordFile(calibrated));
    EXPECT_EQ(readoutLevels(form), inVolts);

    Form1 next;  // as at the next start
    loadRecord(next);
    command(next, QStringLiteral("Measurements"));
    EXPECT_EQ(readoutLevels(next), inVolts);
    control<QAbstractButton>(calibrationDialog(next), "clearCalibration")->click();
    EXPECT_EQ(readoutLevels(next), inCounts);
}

// loadRecord's 7k mod 500 at 40 kSPS wraps every 500/7 samples: a sawtooth of 560 Hz.
TEST(Form1Spectrum, KeyFOpensTheSpectrumOfTheRecordOnScreenAndItFollowsTheNextOne) {
    Form1 form;
    loadRecord(form);
    const QImage before = form.picture();
    command(form, QStringLiteral("Spectrum"));
    auto *spectrum = control<SpectrumWindow>(form, "spectrumWindow");
    QApplication::processEvents();
    EXPECT_TRUE(spectrum->isVisible());
    ASSERT_TRUE(spectrum->plot().spectrum());
    const analysis::Spectrum &shown = *spectrum->plot().spectrum();
    EXPECT_EQ(shown.amplitude.size(), 601u);
    EXPECT_NEAR(analysis::spectrumFigures(shown).fundamentalHz.value_or(0), 560, 40000 / 1200 / 10);
    EXPECT_FALSE(spectrum->figuresText().contains(QStringLiteral("–")));  // each one defined
    EXPECT_TRUE(form.picture() == before);

    // 0.1 V a count at the tip: 512 + 400 cos(πk / 2), 300 whole periods of a sine of 40 V peak,
    // reads 20 log10(40 / √2) = 29.03 dBV.
    form.scope().setUserCalibration(analysis::Calibration{0.01, 512, 10});
    std::vector<std::int16_t> sine(1200, 512);
    for (std::size_t k = 0; k < sine.size(); k += 2) sine[k] += k % 4 ? -400 : 400;
    testing::showSamples(form.scope(), sine);
    form.Koord_rendszer_rajzolasa();
    QApplication::processEvents();
    EXPECT_TRUE(spectrum->figuresText().contains(", 29.03 dBV · "))
        << spectrum->figuresText().toStdString();

    option(form, "SampleRate", 7)->click();  // the record is gone, and with it the spectrum
    QApplication::processEvents();
    EXPECT_FALSE(spectrum->plot().spectrum());
}

void press(QWidget *widget, std::initializer_list<QKeyCombination> keys) {
    for (const QKeyCombination key : keys) {
        QKeyEvent event(QEvent::KeyPress, key.key(), key.keyboardModifiers());
        QApplication::sendEvent(widget, &event);
    }
}

// loadRecord's 1200 samples at 40 kSPS; 5 s a division shows them all, so T1 and T2 start at
// samples 1 + 1199 / 4 and 1 + 3 * 1199 / 4, rounded: 301 and 900, worth 300 + 7k mod 500.
TEST(Form1Cursors, KeyCShowsThemOverThePictureAndTheyStayOnTheirSamples) {
    Form1 form;
    form.resize(704, 543);
    loadRecord(form);
    const QImage before = form.grab().toImage(), picture = form.picture();
    command(form, QStringLiteral("Cursors"));
    EXPECT_EQ(cursorLines(form, 0, 2), "T1 = 7.500 ms  #301  407|T2 = 22.48 ms  #900  600");
    EXPECT_FALSE(form.grab().toImage() == before);

    // The keys move them whichever control has the focus, and the control stays as it was.
    auto *scroll = control<QScrollBar>(form, "TrigLevelScroll");
    const int level = scroll->value();
    press(scroll, {Qt::Key_Right, Qt::Key_2, Qt::SHIFT | Qt::Key_Left});  // 2000 samples: held at 1
    EXPECT_EQ(scroll->value(), level);
    EXPECT_EQ(cursorLines(form, 0, 2), "T1 = 7.525 ms  #302  414|T2 = 0 s  #1  307");

    // 10 ms a division: 4 samples a pixel, T1 at x = 75.25. A drag puts it under the pointer.
    option(form, "TimeOption", 9)->click();
    EXPECT_EQ(cursorLines(form, 0, 2), "T1 = 7.525 ms  #302  414|T2 = 0 s  #1  307");
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(77, 300), QPointF(77, 300), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QMouseEvent drag(QEvent::MouseMove, QPointF(100, 300), QPointF(100, 300), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &down);
    QApplication::sendEvent(&form, &drag);
    EXPECT_EQ(cursorLines(form, 0, 2), "T1 = 10.00 ms  #401  607|T2 = 0 s  #1  307");

    loadRecord(form);  // a new record of the same rate and length keeps them
    EXPECT_EQ(cursorLines(form, 0, 2), "T1 = 10.00 ms  #401  607|T2 = 0 s  #1  307");
    control<QScrollBar>(form, "SampleScroll")->setValue(5);  // another length: placed anew
    testing::showSamples(form.scope(), std::vector<std::int16_t>(500, 512));
    form.Koord_rendszer_rajzolasa();
    // 500 samples within view: 1 + 499 / 4 and 1 + 3 * 499 / 4, rounded.
    EXPECT_EQ(cursorLines(form, 0, 2), "T1 = 3.125 ms  #126  512|T2 = 9.350 ms  #375  512");
    // Up lifts a level cursor a count, and higher counts stand lower; with Shift a division of
    // 100 counts, 200 at "V/Div 1:2". V1 and V2 start at 512.
    press(scroll, {Qt::Key_3, Qt::Key_Up, Qt::SHIFT | Qt::Key_Down});
    EXPECT_EQ(cursorLines(form, 4, 3), "V1 = 611|V2 = 512|ΔV = -99");
    press(scroll, {Qt::Key_4, Qt::SHIFT | Qt::Key_Up});
    control<QAbstractButton>(form, "VoltsPerDiv2")->click();
    press(scroll, {Qt::SHIFT | Qt::Key_Down, Qt::Key_Down});
    EXPECT_EQ(cursorLines(form, 4, 3), "V1 = 611|V2 = 613|ΔV = 2");
    EXPECT_EQ(scroll->value(), level);
    control<QAbstractButton>(form, "VoltsPerDiv2")->click();

    command(form, QStringLiteral("Cursors"));
    loadRecord(form);
    option(form, "TimeOption", 0)->click();
    EXPECT_TRUE(form.grab().toImage() == before);
    EXPECT_TRUE(form.picture() == picture);
}

// A file of three records, sample k of record r worth 100 r + k: all of them join the history.
TEST(Form1History, PageKeysStepThroughTheRecordsOfAFileAndStopAtEitherEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.csv"));
    ASSERT_TRUE(testing::writeThreeRecords(path));
    Form1 form;
    ASSERT_TRUE(form.openRecordFile(path));
    auto *label = control<QLabel>(form, "historyLabel");
    auto *bar = control<QScrollBar>(form, "SampleScroll");
    const auto shows = [&](int r) {
        const SampleRecord &samples = form.scope().samples();
        return samples[1] == 100 * r + 1 && samples[100] == 100 * r + 100;
    };
    EXPECT_TRUE(shows(1) && label->text().startsWith("1 / 3 · ")) << label->text().toStdString();
    press(bar, {Qt::Key_PageUp});  // the oldest already: nothing
    EXPECT_TRUE(shows(1));
    press(bar, {Qt::Key_PageDown});
    EXPECT_TRUE(shows(2) && label->text().startsWith("2 / 3 · "));
    EXPECT_EQ(bar->value(), 1);  // the bar is never paged
    press(bar, {Qt::Key_End});
    EXPECT_TRUE(shows(3) && label->isHidden());
    press(bar, {Qt::Key_PageDown, Qt::Key_Home});
    EXPECT_TRUE(shows(1));
    command(form, QStringLiteral("Clear history"));
    EXPECT_TRUE(label->isHidden());
    press(bar, {Qt::Key_PageDown});
    EXPECT_TRUE(shows(1));
}

}  // namespace
}  // namespace kalvira::ui
