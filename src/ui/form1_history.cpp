// The history of records: every record committed or opened is kept, and while no run is in
// progress PgUp/PgDn/Home/End step through them. An older record shows as it was when live, with
// its settings restored to the controls, and a label in the plot's bottom left corner says which.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include "form1.h"
#include "look.h"
#include "records/record_history.h"
#include "scope/scope.h"
#include "window_key_filter.h"

namespace kalvira::ui {

void Form1::createHistory() {
    historyLabel_ = new QLabel(this);
    historyLabel_->setObjectName(QStringLiteral("historyLabel"));
    styleOverlayText(*historyLabel_, 2);
    historyLabel_->hide();

    pictureMenu_->addSeparator();
    connect(addPictureCommand(tr("Save history…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, [this] { saveHistory(); });
    connect(addPictureCommand(tr("Clear history")), &QAction::triggered, this, [this] {
        scope_->clearHistory();
        refreshHistoryLabel();
    });
    new WindowKeyFilter(this, [this](const QKeyEvent &event) { return historyKey(event); });
}

// The whole history as one log, each record with its own settings, as it is when asked.
void Form1::saveHistory() {
    const records::RecordHistory &history = scope_->history();
    if (history.empty()) {
        showNotice(tr("The history holds no record to save."));
        return;
    }
    auto entries = std::make_shared<std::vector<records::RecordFile>>();
    for (std::size_t i = 0; i < history.size(); ++i) entries->push_back(history.at(i));
    askForFile(QFileDialog::AcceptSave, tr("Save history"),
               tr("KALVIRA records (*.csv);;All files (*)"), QStringLiteral("csv"),
               [this, entries](const QString &path) {
                   if (const auto error = records::writeRecordLog(path, *entries)) {
                       showNotice(tr("%1 could not be saved: %2")
                                      .arg(QDir::toNativeSeparators(path),
                                           QString::fromStdString(*error)));
                   }
               });
}

void Form1::showHistoryEntry(std::size_t index) {
    showRecordFile(scope_->history().at(index));
    scope_->noteHistoryShown(index);
    refreshHistoryLabel();
}

// Taken whichever control has the focus, so a scroll bar is never paged: a paged record-length
// bar would wipe the record. Past either end nothing happens.
bool Form1::historyKey(const QKeyEvent &event) {
    const int key = event.key();
    if (key != Qt::Key_PageUp && key != Qt::Key_PageDown && key != Qt::Key_Home &&
        key != Qt::Key_End)
        return false;
    if (event.modifiers() & ~Qt::KeypadModifier) return false;
    if (runInProgress()) {
        if (key == Qt::Key_PageUp || key == Qt::Key_Home) {
            historyLabel_->setText(tr("Looking back waits for STOP."));
            historyLabel_->adjustSize();
            historyLabel_->move(4, height() - historyLabel_->height() - 4);
            historyLabel_->show();
            historyNoticeNumber_ = scope_->recordNumber();
        }
        return true;
    }
    if (scope_->history().empty()) return true;
    const std::size_t at = scope_->historyPosition(), newest = scope_->history().size() - 1;
    std::size_t to = at;
    if (key == Qt::Key_PageUp && at > 0) to = at - 1;
    if (key == Qt::Key_PageDown && at < newest) to = at + 1;
    if (key == Qt::Key_Home) to = 0;
    if (key == Qt::Key_End) to = newest;
    if (to != at) showHistoryEntry(to);
    return true;
}

void Form1::refreshHistoryLabel() {
    if (!historyLabel_) return;
    const records::RecordHistory &history = scope_->history();
    const bool notice = historyNoticeNumber_ && *historyNoticeNumber_ == scope_->recordNumber();
    if (!notice) historyNoticeNumber_.reset();
    const std::size_t at = history.empty() ? 0 : scope_->historyPosition();
    // The newest has no label, unless it is marked for the history's statistics.
    const bool marked = at < history.size() && historyEntryMarked(at);
    if (!notice && at + 1 >= history.size() && !marked) {
        historyLabel_->hide();
        return;
    }
    if (!notice) {
        const QString taken =
            history.at(at).taken.toLocalTime().toString(QStringLiteral("HH:mm:ss.zzz"));
        historyLabel_->setText(tr("%1 / %2 · %3").arg(at + 1).arg(history.size()).arg(taken) +
                               (marked ? tr(" · marked") : QString()));
    }
    historyLabel_->adjustSize();
    historyLabel_->move(4, height() - historyLabel_->height() - 4);
    historyLabel_->show();
}

}  // namespace kalvira::ui
