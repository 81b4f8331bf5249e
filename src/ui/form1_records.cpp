// Keeping and sharing what is on screen: the record as a file (Ctrl+S, Ctrl+O, a file dropped on
// the window or named on the command line) and the picture as PNG (Ctrl+E) or on the clipboard
// (Ctrl+C). None of it changes a control while nothing is opened.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>

#include "acquisition/port_settings.h"
#include "common/link_facts.h"
#include "display/time_base.h"
#include "file_dialog.h"
#include "form1.h"
#include "look.h"
#include "records/record_file.h"
#include "scope/scope.h"

namespace kalvira::ui {

namespace {

constexpr auto kBusyNotice = QT_TRANSLATE_NOOP(
    "kalvira::ui::Form1", "A record cannot be opened while a measurement is running.");
constexpr auto kRecordFilter =
    QT_TRANSLATE_NOOP("kalvira::ui::Form1", "KALVIRA records (*.csv);;All files (*)");

}  // namespace

// One file dialog at a time.
void Form1::askForFile(int acceptMode, const QString &caption, const QString &filter,
                       const QString &suffix, std::function<void(const QString &)> chosen) {
    if (fileDialog_) return;
    fileDialog_ = openFileDialog(this, static_cast<QFileDialog::AcceptMode>(acceptMode), caption,
                                 filter, suffix, std::move(chosen));
}

void Form1::saveRecord() {
    if (!scope_->recordShown()) {
        showNotice(tr("There is no record on screen to save."));
        return;
    }
    // The record as it is now: a run going on meanwhile may replace the one on screen.
    askForFile(QFileDialog::AcceptSave, tr("Save record"), tr(kRecordFilter), QStringLiteral("csv"),
               [this, file = scope_->recordOnScreen()](const QString &path) {
                   if (const auto error = records::writeRecordFile(path, file)) {
                       showNotice(tr("%1 could not be saved: %2")
                                      .arg(QDir::toNativeSeparators(path),
                                           QString::fromStdString(*error)));
                   }
               });
}

void Form1::openRecord() {
    if (runInProgress()) {
        showNotice(tr(kBusyNotice));
        return;
    }
    askForFile(QFileDialog::AcceptOpen, tr("Open record"), tr(kRecordFilter), QStringLiteral("csv"),
               [this](const QString &path) { openRecordFile(path); });
}

bool Form1::openRecordFile(const QString &path) {
    if (runInProgress()) {
        showNotice(tr(kBusyNotice));
        return false;
    }
    const records::LogReadResult read =
        records::readRecordLog(path, scope_->history().budgetBytes());
    const QString name = QDir::toNativeSeparators(path);
    if (const auto *error = std::get_if<records::ReadError>(&read)) {
        const QString where = error->line > 0 ? tr(", line %1").arg(error->line) : QString();
        showNotice(tr("%1%2 is not a KALVIRA record: %3")
                       .arg(name, where, QString::fromStdString(error->message)));
        return false;
    }
    auto log = std::get<records::RecordLog>(std::move(read));
    if (log.entries.empty()) {
        showNotice(tr("%1, line %2: its only record is cut off, so there is nothing to show.")
                       .arg(name)
                       .arg(log.cutOffLine));
        return false;
    }
    for (const records::RecordFile &entry : log.entries) {
        const settings::ScopeSettings &taken = entry.settings;
        // The two slowest combinations hold the record length lower than such a record: showing
        // it would cut it.
        if (taken.blocks() > display::recordLengthLimit(taken.timeBase, taken.rateCode)) {
            showNotice(tr("%1 holds more samples than its time base can show.").arg(name));
            return false;
        }
    }
    const std::size_t count = log.entries.size();
    const std::size_t kept = scope_->keep(std::move(log.entries));
    showHistoryEntry(scope_->history().size() - kept);
    QStringList notes;
    if (log.leftOut + count > kept)
        notes << tr("The oldest %1 records did not fit in the history and were left out.")
                     .arg(log.leftOut + count - kept);
    if (log.cutOffLine > 0)
        notes << tr("The last record, from line %1 on, is cut off and was left out.")
                     .arg(log.cutOffLine);
    if (!notes.isEmpty()) showNotice(name + QLatin1String(": ") + notes.join(QLatin1Char(' ')));
    return true;
}

void Form1::showRecordFile(const records::RecordFile &file) {
    moveControls(file.settings);
    scope_->showRecord(file);
    Hscroll->setValue(0);
    Koord_rendszer_rajzolasa();
    Hscroll->setValue(file.settings.scrollDivisions);
}

void Form1::exportPicture() {
    askForFile(QFileDialog::AcceptSave, tr("Save picture"), tr("PNG images (*.png)"),
               QStringLiteral("png"), [this, shown = picture().copy()](const QString &path) {
                   if (!shown.save(path, "PNG")) {
                       showNotice(tr("%1 could not be saved.").arg(QDir::toNativeSeparators(path)));
                   }
               });
}

void Form1::copyPicture() {
    QApplication::clipboard()->setImage(picture());
}

void Form1::dragEnterEvent(QDragEnterEvent *event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    openRecordFile(urls.front().toLocalFile());
}

}  // namespace kalvira::ui
