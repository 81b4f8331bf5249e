// Decoding the record on screen: "Decode…" on the picture's menu chooses a decoder of the field's
// library, the record is turned into logic and decoded after each redraw (posted, so a
// record's redraw and the next frame never wait for it), and the annotations show in a band
// over the plot and in a table window. "Export…" writes the record as the field's tools read it.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "annotation_band.h"
#include "annotation_band_layout.h"
#include "annotation_table_window.h"
#include "decode/decoder_library.h"
#include "decode/decoder_setup.h"
#include "decode/record_decoding.h"
#include "decode_dialog.h"
#include "display/plot_mapping.h"
#include "export/export_file.h"
#include "form1.h"
#include "form1_decode.h"
#include "records/record_history.h"
#include "scope/scope.h"

namespace kalvira::ui {

namespace {

// The library, or a notice of why it cannot start.
decode::DecoderLibrary *startedLibrary(QString &failure) {
    auto started = decode::DecoderLibrary::instance();
    if (auto *library = std::get_if<decode::DecoderLibrary *>(&started)) return *library;
    failure = QString::fromStdString(std::get<std::string>(started));
    return nullptr;
}

// The request of the choice checked against the one decoder it names.
std::variant<decode::DecoderSetup, std::string> checkedSetup(decode::DecoderLibrary &library,
                                                             const std::string &text) {
    const auto request = decode::parseDecodeRequest(text);
    if (const auto *error = std::get_if<std::string>(&request)) return *error;
    const auto &parsed = std::get<decode::DecodeRequest>(request);
    std::vector<decode::DecoderInfo> known;
    if (auto info = library.singleChannelDecoder(parsed.id)) known.push_back(std::move(*info));
    return decode::checkDecodeRequest(parsed, known);
}

}  // namespace

void Form1::createDecoding() {
    decoding_ = std::make_unique<Form1Decoding>();
    decoding_->choice = rememberedDecodeChoice();
    decoding_->band = new AnnotationBand(this);
    decoding_->band->hide();
    pictureMenu_->addSeparator();
    connect(addPictureCommand(tr("Decode…"), QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, [this] { showDecodeDialog(); });
    connect(addPictureCommand(tr("Decoded annotations"), QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, [this] { showAnnotationTable(); });
    connect(addPictureCommand(tr("Export…")), &QAction::triggered, this,
            [this] { exportRecord(); });
    connect(addPictureCommand(tr("Export history…")), &QAction::triggered, this,
            [this] { exportHistory(); });
}

void Form1::showDecodeDialog() {
    if (decoding_->dialog) return decoding_->dialog->raise();
    QString failure;
    decode::DecoderLibrary *library = startedLibrary(failure);
    if (!library) {
        showNotice(tr("Decoding is not available: %1").arg(failure));
        return;
    }
    decoding_->dialog = new DecodeDialog(library->singleChannelDecoders(), decoding_->choice,
                                         calibrationOnScreen().has_value(), this);
    connect(decoding_->dialog, &DecodeDialog::chosen, this, [this](const DecodeChoice &choice) {
        decoding_->choice = choice;
        decoding_->setup.reset();
        ++decoding_->generation;
        decoding_->toldProblem.clear();
        rememberDecodeChoice(choice);
        refreshDecoding();
    });
    decoding_->dialog->open();
}

void Form1::showAnnotationTable() {
    if (!decoding_->table) {
        decoding_->table = new AnnotationTableWindow(this);
        connect(decoding_->table, &AnnotationTableWindow::annotationChosen, this,
                [this](std::uint64_t sample) {
                    Hscroll->setValue(scrollForSample(plotMapping(), sample, Hscroll->maximum()));
                });
    }
    decoding_->table->show();
    decoding_->table->raise();
    decoding_->table->activateWindow();
    showDecodedTable();
}

void Form1::showDecodedTable() {
    AnnotationTableWindow *table = decoding_->table;
    if (!table || !table->isVisible()) return;
    if (!decoding_->choice.on) return table->showNothing(tr("Decoding is off: see Decode…"));
    if (!decoding_->problem.isEmpty()) return table->showNothing(decoding_->problem);
    if (!decoding_->decoded) return table->showNothing(tr("No record decoded"));
    table->showAnnotations(decoding_->annotations, decoding_->samplesPerSecond);
}

// After each redraw: the band follows the plot's mapping; a new record, rate, length or choice
// is decoded once the redraw is over.
void Form1::refreshDecoding() {
    if (!decoding_) return;
    AnnotationBand *band = decoding_->band;
    const int rate = scope_->settings().rateCode;
    if (!decoding_->choice.on || !scope_->recordShown() || rate < 0) {
        band->hide();
        return showDecodedTable();
    }
    const std::array<std::int64_t, 4> shows{static_cast<std::int64_t>(scope_->recordNumber()), rate,
                                            scope_->settings().recordLength,
                                            static_cast<std::int64_t>(decoding_->generation)};
    if (decoding_->decoded != shows) {
        band->hide();
        if (!std::exchange(decoding_->due, true))
            QTimer::singleShot(0, this, [this] { decodeRecordOnScreen(); });
        return;
    }
    // Along the bottom of the plot, above the buttons that stand in it.
    const display::PlotMapping mapping = plotMapping();
    const int height = band->bandHeight();
    const int bottom = std::min(this->height(), stp->geometry().top() - 2);
    band->setGeometry(0, bottom - height, static_cast<int>(mapping.plotWidth), height);
    band->setMapping(mapping);
    band->show();
}

void Form1::decodeRecordOnScreen() {
    decoding_->due = false;
    const int rate = scope_->settings().rateCode;
    if (!decoding_->choice.on || !scope_->recordShown() || rate < 0) return refreshDecoding();
    QString failure;
    decode::DecoderLibrary *library = startedLibrary(failure);
    if (library && !decoding_->setup) {
        auto setup = checkedSetup(*library, decoding_->choice.request);
        if (auto *made = std::get_if<decode::DecoderSetup>(&setup))
            decoding_->setup = *made;
        else
            failure = QString::fromStdString(std::get<std::string>(setup));
    }
    decoding_->samplesPerSecond = scope_->settings().sampleRateSps();
    decoding_->annotations.clear();
    if (failure.isEmpty()) {
        auto decoded = decode::decodeRecord(*library, *decoding_->setup, scope_->record(),
                                            decoding_->samplesPerSecond,
                                            decoding_->choice.threshold, calibrationOnScreen());
        if (auto *done = std::get_if<decode::RecordDecode>(&decoded))
            decoding_->annotations = std::move(done->annotations);
        else
            failure = QString::fromStdString(std::get<std::string>(decoded));
    }
    decoding_->problem = failure;
    decoding_->decoded = {static_cast<std::int64_t>(scope_->recordNumber()), rate,
                          scope_->settings().recordLength,
                          static_cast<std::int64_t>(decoding_->generation)};
    if (failure.isEmpty()) {
        decoding_->band->showAnnotations(decoding_->annotations);
    } else {
        decoding_->band->showProblem(tr("Decoding failed: %1").arg(failure));
        // Told once, not again for every record the same choice fails on.
        if (std::exchange(decoding_->toldProblem, failure) != failure)
            showNotice(tr("The record could not be decoded: %1").arg(failure));
    }
    refreshDecoding();
    showDecodedTable();
}

void Form1::exportRecord() {
    if (!scope_->recordShown()) {
        showNotice(tr("There is no record on screen to export."));
        return;
    }
    askForFile(QFileDialog::AcceptSave, tr("Export record"),
               tr("sigrok sessions (*.sr);;WAV files (*.wav)"), QStringLiteral("sr"),
               [this, file = scope_->recordOnScreen(),
                threshold = decoding_->choice.threshold](const QString &path) {
                   if (const auto error = exporting::writeExport(path, file, threshold)) {
                       showNotice(tr("%1 could not be exported: %2")
                                      .arg(QDir::toNativeSeparators(path),
                                           QString::fromStdString(*error)));
                   }
               });
}

// Every record kept, as one session with the records one after another or as a WAV file a record.
// A session has one rate and one length, so the history's records must share them, and their
// calibration, which says what the analog channel's values mean.
void Form1::exportHistory() {
    const records::RecordHistory &history = scope_->history();
    if (history.empty()) {
        showNotice(tr("The history holds no record to export."));
        return;
    }
    records::RecordFile file = history.at(0);
    for (std::size_t i = 1; i < history.size(); ++i) {
        const settings::ScopeSettings &other = history.at(i).settings;
        if (other.rateCode != file.settings.rateCode ||
            other.recordLength != file.settings.recordLength ||
            other.calibration != file.settings.calibration) {
            showNotice(
                tr("The history's records differ in sample rate, length or calibration; "
                   "an export holds records of one."));
            return;
        }
        file.records.push_back(history.at(i).records.front());
    }
    askForFile(QFileDialog::AcceptSave, tr("Export history"),
               tr("sigrok sessions (*.sr);;WAV files (*.wav)"), QStringLiteral("sr"),
               [this, file = std::move(file),
                threshold = decoding_->choice.threshold](const QString &path) {
                   if (const auto error = exporting::writeExport(path, file, threshold)) {
                       showNotice(tr("%1 could not be exported: %2")
                                      .arg(QDir::toNativeSeparators(path),
                                           QString::fromStdString(*error)));
                   }
               });
}

}  // namespace kalvira::ui
