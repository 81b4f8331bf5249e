#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include "form_controls.h"
#include "records/record_file.h"
#include "scope/record_judge.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "ui/failure_marks.h"
#include "ui/form1.h"
#include "ui/reference_overlay.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira::ui {
namespace {

void run(Form1 &form, const QString &text) {
    const QList<QAction *> actions = form.actions();
    const auto action = std::find_if(actions.begin(), actions.end(),
                                     [&](const QAction *a) { return a->text() == text; });
    ASSERT_NE(action, actions.end()) << "no command " << text.toStdString();
    (*action)->trigger();
}

void pressKey(QWidget *widget, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// 1200 samples, sample k worth 300 + 7k mod 500, or each worth level; 10 ms a division at
// 40 kSPS: 4 samples a pixel.
std::vector<std::int16_t> sawtooth() {
    std::vector<std::int16_t> samples;
    for (int k = 1; k <= 1200; ++k) samples.push_back(std::int16_t(300 + (k * 7) % 500));
    return samples;
}
void show(Form1 &form, std::vector<std::int16_t> samples) {
    control<QScrollBar>(form, "SampleScroll")->setValue(12);
    option(form, "TimeOption", 9)->click();
    testing::showSamples(form.scope(), std::move(samples));
    form.Koord_rendszer_rajzolasa();
}

QStringList clipboardLines() {
    return QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
}

// A file of three records of 100 samples, sample k of record r worth 100 r + k: means 150.5,
// 250.5 and 350.5, whose mean is 250.5 and sample deviation 100.
TEST(Form1Statistics, TheHistorysStatisticsTakeEveryRecordOrTheMarkedOnesAndCopyAsText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.csv"));
    ASSERT_TRUE(testing::writeThreeRecords(path));
    Form1 form;
    ASSERT_TRUE(form.openRecordFile(path));
    run(form, QStringLiteral("Statistics of the history"));  // shows the readout with them
    run(form, QStringLiteral("Copy readouts"));
    QStringList lines = clipboardLines();
    EXPECT_EQ(lines.mid(lines.indexOf("mean = 150.5"), 6),
              (QStringList{"mean = 150.5", "mean min = 150.5", "mean max = 350.5",
                           "mean mean = 250.5", "mean std = 100.0", "mean count = 3"}))
        << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains("f count = 0") && lines.contains("f mean = –"));

    auto *bar = control<QScrollBar>(form, "SampleScroll");
    const QString mark = QStringLiteral("Mark record for the history's statistics");
    pressKey(bar, Qt::Key_PageDown);
    run(form, mark);
    EXPECT_TRUE(control<QLabel>(form, "historyLabel")->text().endsWith(" · marked"));
    pressKey(bar, Qt::Key_End);
    run(form, mark);  // the newest, marked, has its label too
    EXPECT_TRUE(control<QLabel>(form, "historyLabel")->text().startsWith("3 / 3 · "));
    run(form, QStringLiteral("Statistics of the history"));
    run(form, QStringLiteral("Copy readouts"));
    lines = clipboardLines();
    EXPECT_TRUE(lines.contains("mean mean = 300.5") && lines.contains("mean count = 2"))
        << lines.join('|').toStdString();
}

// The readouts in the order the screen reads them, cursors first; T1 and T2 stand on samples 301
// and 900 of the sawtooth (at 5 s a division), worth 407 and 600.
TEST(Form1Readouts, CtrlShiftCCopiesTheCursorsAndMeasurementsOneNameValueUnitALine) {
    Form1 form;
    control<QScrollBar>(form, "SampleScroll")->setValue(12);
    testing::showSamples(form.scope(), sawtooth());
    form.Koord_rendszer_rajzolasa();
    QApplication::clipboard()->setText(QStringLiteral("before"));
    run(form, QStringLiteral("Copy readouts"));  // nothing on screen to copy: says so
    EXPECT_EQ(QApplication::clipboard()->text(), "before");
    EXPECT_FALSE(form.findChildren<QMessageBox *>().isEmpty());
    run(form, QStringLiteral("Cursors"));
    run(form, QStringLiteral("Measurements"));
    const auto actions = form.actions();
    const auto copy = std::find_if(actions.begin(), actions.end(), [](const QAction *a) {
        return a->shortcut() == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    });
    ASSERT_NE(copy, actions.end());
    (*copy)->trigger();
    const QStringList lines = clipboardLines();
    EXPECT_EQ(lines.mid(0, 6), (QStringList{"T1 = 7.500 ms", "T1 sample = 301", "T1 value = 407",
                                            "T2 = 22.48 ms", "T2 sample = 900", "T2 value = 600"}))
        << lines.join('|').toStdString();
    EXPECT_EQ(lines.mid(lines.indexOf("min = 300"), 3),
              (QStringList{"min = 300", "max = 799", "p-p = 499"}));
    EXPECT_TRUE(lines.indexOf("ΔV = 499") < lines.indexOf("f = 560.0 Hz"));
}

// The pixels of a picture that differ from another, outside a rectangle.
std::vector<QPoint> differences(const QImage &a, const QImage &b, QRect outside = {}) {
    std::vector<QPoint> found;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && !outside.contains(x, y)) found.emplace_back(x, y);
    return found;
}

TEST(Form1Reference, ARecordOverItselfLeavesThePictureAsItWasAndHiddenAsWithoutIt) {
    Form1 form;
    form.resize(704, 543);
    show(form, sawtooth());
    const QImage plain = form.grab().toImage();
    run(form, QStringLiteral("Set as reference"));
    auto *tag = control<QLabel>(form, "referenceTag");
    EXPECT_TRUE(!control<ReferenceOverlay>(form, "referenceOverlay")->isHidden() &&
                tag->text().startsWith("REF "));
    // The reference coincides with the trace, which lies over it: nothing of it shows.
    EXPECT_EQ(differences(form.grab().toImage(), plain, tag->geometry()), std::vector<QPoint>{});
    run(form, QStringLiteral("Reference"));
    EXPECT_TRUE(form.grab().toImage() == plain);
}

// A flat reference at 600 counts lies on row 600 - 240 = 360 (the centre line of 543 rows at 512
// counts), or halfway to the centre with V/Div 1:2, (360 + 271.5) / 2 = 315.75, row 316; from
// sample 1 at x = 0 to sample 1199 at x = 1198 / 4 = 299.5, pixel 300 (sample 1200 ends no
// segment). It takes every pixel of the row there that shows background, and no other.
TEST(Form1Reference, AReferenceLiesUnderTheTraceInItsOwnColourWithTheSameTimeBaseAndVDiv) {
    Form1 form;
    form.resize(704, 543);
    show(form, std::vector<std::int16_t>(1200, 600));
    run(form, QStringLiteral("Set as reference"));
    show(form, sawtooth());
    for (const int row : {360, 316}) {
        if (row == 316) control<QAbstractButton>(form, "VoltsPerDiv2")->click();
        run(form, QStringLiteral("Reference"));
        const QImage plain = form.grab().toImage();
        run(form, QStringLiteral("Reference"));
        const QImage shown = form.grab().toImage();
        std::vector<QPoint> expected;
        for (int x = 0; x <= 300; ++x)
            if (plain.pixelColor(x, row) == QColor(0, 0, 0)) expected.emplace_back(x, row);
        EXPECT_EQ(differences(shown, plain, control<QLabel>(form, "referenceTag")->geometry()),
                  expected);
        EXPECT_GT(expected.size(), 200u);
        EXPECT_EQ(shown.pixelColor(expected.front()), ReferenceOverlay::colour());
    }
    option(form, "SampleRate", 6)->click();  // another rate: said, not drawn
    testing::showSamples(form.scope(), sawtooth());
    form.Koord_rendszer_rajzolasa();
    EXPECT_TRUE(control<ReferenceOverlay>(form, "referenceOverlay")->isHidden());
    EXPECT_TRUE(control<QLabel>(form, "referenceTag")
                    ->text()
                    .endsWith("taken at 40000 SPS, not drawn over a record at 500 SPS"));
    EXPECT_EQ(form.judge().deltaRef(), std::nullopt);
}

// "Open reference…" answered with path.
QString openReference(Form1 &form, const QString &path) {
    run(form, QStringLiteral("Open reference…"));
    auto *dialog = form.findChild<QFileDialog *>();
    if (!dialog) return QStringLiteral("no file dialog");
    dialog->selectFile(path);
    static_cast<QDialog *>(dialog)->accept();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the dialog, closed
    const auto boxes = form.findChildren<QMessageBox *>();
    return boxes.isEmpty() ? QString() : boxes.back()->text();
}

TEST(Form1Reference, OneOpensFromTheFirstRecordOfAFileAndABadFileIsRefused) {
    QTemporaryDir dir;
    records::RecordFile file;
    file.settings.rateCode = 3, file.settings.recordLength = 100;
    file.taken = QDateTime::currentDateTimeUtc();
    file.records = {std::vector<std::int16_t>(100, 400), std::vector<std::int16_t>(100, 600)};
    ASSERT_EQ(records::writeRecordFile(dir.filePath("two.csv"), file), std::nullopt);
    Form1 form;
    EXPECT_TRUE(openReference(form, dir.filePath("two.csv"))
                    .endsWith("two.csv holds 2 records: record 1 is the reference."));
    ASSERT_TRUE(form.judge().reference());
    EXPECT_EQ(form.judge().reference()->records, std::vector(1, file.records.front()));
    EXPECT_EQ(form.judge().reference()->settings.rateCode, 3);
    QFile bad(dir.filePath("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("not a record\n") > 0);
    bad.close();
    EXPECT_TRUE(
        openReference(form, bad.fileName()).contains("bad.csv, line 1 is not a KALVIRA record"));
    EXPECT_EQ(form.judge().reference()->records.front().front(), 400);  // still the one before
}

void pressOk(QDialog &dialog) {
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

// Row 0 of the table is f; the mask ±2 counts, ±0 samples.
QDialog &limitsDialog(Form1 &form, const char *low, const char *high) {
    run(form, QStringLiteral("Limits and mask…"));
    auto &dialog = *control<QDialog>(form, "limitsDialog");
    EXPECT_TRUE(dialog.isVisible() && dialog.windowModality() == Qt::WindowModal);
    auto *table = control<QTableWidget>(dialog, "limitsTable");
    table->item(0, 0)->setCheckState(Qt::Checked);
    table->item(0, 1)->setText(low);
    table->item(0, 2)->setText(high);
    control<QCheckBox>(dialog, "maskOn")->setChecked(true);
    control<QLineEdit>(dialog, "maskLevel")->setText("2");
    control<QSpinBox>(dialog, "maskTime")->setValue(0);
    return dialog;
}

// The sawtooth as reference, the record on screen the same with samples 401..403 raised by 50:
// 657, 664 and 671, at x = 400 / 4, 401 / 4, 402 / 4, all pixel 100, rows 417, 424, 431.
TEST(Form1Limits, TheDialogSetsAndRemembersThemAndAFailingRecordsSamplesAreMarked) {
    Form1 form;
    form.resize(704, 543);
    show(form, sawtooth());
    run(form, QStringLiteral("Set as reference"));
    QDialog &dialog = limitsDialog(form, "205", "195");
    pressOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(control<QLabel>(dialog, "problem")->text().contains("must not be above"));
    control<QTableWidget>(dialog, "limitsTable")->item(0, 1)->setText("x");
    pressOk(dialog);
    EXPECT_TRUE(control<QLabel>(dialog, "problem")->text().contains("must be numbers"));
    control<QTableWidget>(dialog, "limitsTable")->item(0, 1)->setText("195");
    control<QTableWidget>(dialog, "limitsTable")->item(0, 2)->setText("205");
    pressOk(dialog);
    EXPECT_FALSE(dialog.isVisible());

    std::vector<std::int16_t> raised = sawtooth();
    for (std::size_t i = 400; i < 403; ++i) raised[i] += 50;
    show(form, raised);
    run(form, QStringLiteral("Measurements"));
    const auto *marks = control<FailureMarks>(form, "failureMarks");
    EXPECT_FALSE(marks->isHidden());
    EXPECT_EQ(marks->marks(), (std::vector<QPoint>{{100, 417}, {100, 424}, {100, 431}}));
    EXPECT_EQ(marks->tag(), "FAIL · f · mask: outside at 3 of 1200 samples");
    const QStringList readout = control<QLabel>(form, "measurementReadout")->text().split('\n');
    EXPECT_TRUE(readout.front().startsWith("f = ") && readout.front().endsWith("  ✗"));
    EXPECT_TRUE(readout.contains("pass = 0") && readout.contains("fail = 0"));  // shown, not taken

    Form1 next;  // as at the next start
    EXPECT_EQ(next.judge().criteria(), form.judge().criteria());
    EXPECT_EQ(next.judge().criteria().limits,
              (std::vector<analysis::FigureLimit>{{analysis::Figure::Frequency, 195, 205}}));
    QDialog &clearing = limitsDialog(next, "195", "205");
    control<QTableWidget>(clearing, "limitsTable")->item(0, 0)->setCheckState(Qt::Unchecked);
    control<QCheckBox>(clearing, "maskOn")->setChecked(false);
    pressOk(clearing);
    EXPECT_FALSE(next.judge().criteria().judges());
    show(next, raised);
    EXPECT_TRUE(control<FailureMarks>(next, "failureMarks")->isHidden());
}

}  // namespace
}  // namespace kalvira::ui
