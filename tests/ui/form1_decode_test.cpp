#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "form_controls.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "ui/annotation_band.h"
#include "ui/annotation_band_layout.h"
#include "ui/annotation_table_window.h"
#include "ui/decode_dialog.h"
#include "ui/form1.h"

using kalvira::testing::control;

namespace kalvira::ui {
namespace {

// "Hi" as 8N1 frames at 2400 baud after 50 idle samples, 200 low and 800 high, at the window's
// 40 kSPS: 16 2/3 samples a bit. 1200 samples in all.
std::vector<std::int16_t> uartRecord() {
    std::vector<int> bits;
    for (const unsigned char byte : {'H', 'i'}) {
        bits.push_back(0);
        for (int i = 0; i < 8; ++i) bits.push_back((byte >> i) & 1);
        bits.push_back(1);
    }
    std::vector<std::int16_t> samples(1200, 800);
    for (std::size_t i = 50; i < samples.size(); ++i) {
        const auto bit = std::size_t(std::floor((double(i) - 50) * 2400 / 40000));
        if (bit < bits.size() && bits[bit] == 0) samples[i] = 200;
    }
    return samples;
}

void showRecord(Form1 &form) {
    control<QScrollBar>(form, "SampleScroll")->setValue(12);
    testing::showSamples(form.scope(), uartRecord());
    form.Koord_rendszer_rajzolasa();
}

void command(Form1 &form, const QString &text) {
    const QList<QAction *> actions = form.actions();
    const auto action = std::find_if(actions.begin(), actions.end(),
                                     [&](const QAction *a) { return a->text() == text; });
    ASSERT_NE(action, actions.end()) << text.toStdString();
    (*action)->trigger();
}

// Opens "Decode…", chooses UART at the baud rate and presses OK; the dialog, if it stayed open.
DecodeDialog *chooseUart(Form1 &form, const QString &baud, bool on = true) {
    command(form, QStringLiteral("Decode…"));
    auto *dialog = form.findChild<DecodeDialog *>();
    EXPECT_TRUE(dialog && dialog->isVisible() && dialog->windowModality() == Qt::WindowModal);
    if (!dialog) return nullptr;
    auto *decoder = control<QComboBox>(*dialog, "decoder");
    decoder->setCurrentIndex(decoder->findData(QStringLiteral("uart")));
    control<QLineEdit>(*dialog, "option_baudrate")->setText(baud);
    control<QCheckBox>(*dialog, "decodeOn")->setChecked(on);
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QTest::qWait(0);  // the posted decode
    QCoreApplication::processEvents();
    return dialog->isVisible() ? dialog : nullptr;
}

std::vector<std::string> dataTexts(const AnnotationBand &band) {
    std::vector<std::string> texts;
    for (const auto &a : band.annotations())
        if (a.row == "rx-data") texts.push_back(a.text);
    return texts;
}

TEST(Form1Decode, TheBandShowsTheBytesOverThePictureAndOffLeavesItAsItWas) {
    Form1 form;
    form.resize(760, 543);
    showRecord(form);
    const QImage before = form.grab().toImage(), picture = form.picture();
    ASSERT_EQ(chooseUart(form, "2400"), nullptr);
    const auto &band = *control<AnnotationBand>(form, "annotationBand");
    EXPECT_TRUE(!band.isHidden()) << band.problem().toStdString();
    EXPECT_EQ(dataTexts(band), (std::vector<std::string>{"Start bit", "48", "Stop bit", "Start bit",
                                                         "69", "Stop bit"}));
    EXPECT_FALSE(form.grab().toImage() == before);
    EXPECT_TRUE(form.picture() == picture);  // drawn over the picture, never into it
    // A new record is decoded after its redraw.
    testing::showSamples(form.scope(), std::vector<std::int16_t>(1200, 800));
    form.Koord_rendszer_rajzolasa();
    EXPECT_FALSE(!band.isHidden());
    QTest::qWait(0);
    EXPECT_TRUE(!band.isHidden() && band.annotations().empty());
    showRecord(form);
    QTest::qWait(0);
    ASSERT_EQ(chooseUart(form, "2400", false), nullptr);
    EXPECT_FALSE(!band.isHidden());
    EXPECT_TRUE(form.grab().toImage() == before);
}

TEST(Form1Decode, OptionsTheDecoderRefusesKeepTheDialogOpenAndSayWhy) {
    Form1 form;
    showRecord(form);
    DecodeDialog *dialog = chooseUart(form, "fast");
    ASSERT_NE(dialog, nullptr);
    const auto *problem = control<QLabel>(*dialog, "decodeProblem");
    EXPECT_TRUE(problem->isVisible());
    EXPECT_EQ(problem->text(), "uart: baudrate must be a whole number");
    EXPECT_FALSE(control<AnnotationBand>(form, "annotationBand")->isVisible());
}

TEST(Form1Decode, TheTableListsTheAnnotationsAndARowScrollsTheTraceToIt) {
    Form1 form;
    form.resize(760, 543);
    showRecord(form);
    testing::option(form, "TimeOption", 13)->click();  // 1 ms, 40 samples, a division
    control<QScrollBar>(form, "Hscroll")->setValue(0);
    ASSERT_EQ(chooseUart(form, "2400"), nullptr);
    command(form, QStringLiteral("Decoded annotations"));
    const auto *window = form.findChild<AnnotationTableWindow *>();
    ASSERT_TRUE(window && window->isVisible());
    const auto &band = *control<AnnotationBand>(form, "annotationBand");
    const QTableWidget &table = window->table();
    ASSERT_EQ(table.rowCount(), int(band.annotations().size()));
    // In time order: the last row is the annotation that starts last.
    const auto last = *std::max_element(
        band.annotations().begin(), band.annotations().end(),
        [](const auto &a, const auto &b) { return a.startSample < b.startSample; });
    EXPECT_EQ(table.item(table.rowCount() - 1, 0)->text(),
              QString::number(double(last.startSample) / 40000, 'f', 6));
    EXPECT_EQ(table.item(table.rowCount() - 1, 1)->text().toStdString(), last.row);
    // At 0.4 samples a unit its first sample is at x = s / 0.4 - 100 h: in the plot's first half
    // once scrolled, far right of it before.
    auto *hscroll = control<QScrollBar>(form, "Hscroll");
    ASSERT_GT(double(last.startSample) / 0.4, 500.0);
    emit const_cast<QTableWidget &>(table).cellClicked(table.rowCount() - 1, 0);
    const double x = double(last.startSample) / 0.4 - 100.0 * hscroll->value();
    EXPECT_GE(x, 0.0);
    EXPECT_LT(x, 250.0) << hscroll->value();
    EXPECT_TRUE(!band.isHidden());
}

TEST(Form1Decode, ExportWritesTheRecordOnScreenAsASession) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rec.sr"));
    Form1 form;
    showRecord(form);
    command(form, QStringLiteral("Export…"));
    auto *dialog = form.findChild<QFileDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(path);
    static_cast<QDialog *>(dialog)->accept();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == QByteArray("PK\x03\x04", 4));
}

// Every record kept, a WAV file each; records of another length cannot join them.
TEST(Form1Decode, ExportHistoryWritesEveryRecordKeptAndRefusesMixedLengths) {
    QTemporaryDir dir;
    Form1 form;
    records::RecordFile entry = form.scope().recordOnScreen();
    entry.records = {std::vector<std::int16_t>(5000, 300)};
    form.scope().keep({entry, entry});
    command(form, QStringLiteral("Export history…"));
    auto *dialog = form.findChild<QFileDialog *>();
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(dir.filePath(QStringLiteral("h.wav")));
    static_cast<QDialog *>(dialog)->accept();
    // A WAV file's size is its 44-byte header and 2 bytes a sample.
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("h-2.wav"))).size(), 44 + 2 * 5000);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("h-1.wav"))));
    entry.settings.recordLength = 100, entry.records = {std::vector<std::int16_t>(100, 300)};
    form.scope().keep({entry});
    command(form, QStringLiteral("Export history…"));
    const auto boxes = form.findChildren<QMessageBox *>();
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes.back()->text().contains("differ"));
}

}  // namespace
}  // namespace kalvira::ui
