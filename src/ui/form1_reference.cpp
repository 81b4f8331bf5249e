// The reference trace: the record on screen kept, or one opened from a record file, drawn under
// the trace with the same time base, scroll and V/Div in a colour of its own, only over a record
// of its sample rate. Hidden or cleared, the picture is exactly as without it.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>

#include "common/link_facts.h"
#include "form1.h"
#include "look.h"
#include "records/record_file.h"
#include "reference_layer.h"
#include "reference_overlay.h"
#include "scope/record_judge.h"
#include "scope/scope.h"

namespace kalvira::ui {

void Form1::createReference() {
    referenceOverlay_ = new ReferenceOverlay(this);
    referenceOverlay_->hide();
    referenceTag_ = new QLabel(this);
    referenceTag_->setObjectName(QStringLiteral("referenceTag"));
    styleOverlayText(*referenceTag_, 2);
    QPalette colours = referenceTag_->palette();
    colours.setColor(QPalette::WindowText, ReferenceOverlay::colour());
    referenceTag_->setPalette(colours);
    referenceTag_->hide();

    pictureMenu_->addSeparator();
    connect(addPictureCommand(tr("Set as reference"), QKeySequence(Qt::SHIFT | Qt::Key_R)),
            &QAction::triggered, this, [this] { takeReference(); });
    connect(addPictureCommand(tr("Open reference…")), &QAction::triggered, this,
            [this] { openReference(); });
    QAction *shown = addPictureCommand(tr("Reference"), Qt::Key_R, true);
    shown->setChecked(referenceWanted_);
    connect(shown, &QAction::toggled, this, [this](bool on) {
        referenceWanted_ = on;
        refreshReference();
        refreshReadout();
    });
    connect(addPictureCommand(tr("Clear reference")), &QAction::triggered, this, [this] {
        judge_->clearReference();
        refreshReference();
        refreshReadout();
        refreshFailures();
    });
}

void Form1::takeReference() {
    if (!scope_->recordShown()) {
        showNotice(tr("There is no record on screen to take as the reference."));
        return;
    }
    judge_->setReference(scope_->recordOnScreen());
    refreshJudging();
    refreshReadout();
}

// The first record of the file (of a huge log, the first that fits); opening one never touches
// the record on screen, so a run may go on meanwhile.
void Form1::openReference() {
    askForFile(QFileDialog::AcceptOpen, tr("Open reference"),
               tr("KALVIRA records (*.csv);;All files (*)"), QStringLiteral("csv"),
               [this](const QString &path) {
                   // Within the history's budget, so a huge log costs no more memory than the
                   // history.
                   const records::LogReadResult read =
                       records::readRecordLog(path, scope_->history().budgetBytes());
                   const QString name = QDir::toNativeSeparators(path);
                   if (const auto *error = std::get_if<records::ReadError>(&read)) {
                       const QString where =
                           error->line > 0 ? tr(", line %1").arg(error->line) : QString();
                       showNotice(tr("%1%2 is not a KALVIRA record: %3")
                                      .arg(name, where, QString::fromStdString(error->message)));
                       return;
                   }
                   const auto &log = std::get<records::RecordLog>(read);
                   if (log.entries.empty()) {
                       showNotice(tr("%1 holds no complete record.").arg(name));
                       return;
                   }
                   // The oldest records of a log beyond the budget are left out: say which one it
                   // is.
                   const std::size_t count = log.leftOut + log.entries.size();
                   if (count > 1)
                       showNotice(tr("%1 holds %2 records: record %3 is the reference.")
                                      .arg(name)
                                      .arg(count)
                                      .arg(log.leftOut + 1));
                   judge_->setReference(log.entries.front());
                   refreshJudging();
                   refreshReadout();
               });
}

// The reference's layer is made afresh from the picture after every redraw, so it follows the
// time base, the scroll, V/Div 1:2, the line style and the window's size.
void Form1::refreshReference() {
    if (!referenceOverlay_) return;
    const auto &reference = judge_->reference();
    if (!reference || !referenceWanted_) {
        referenceOverlay_->hide();
        referenceTag_->hide();
        return;
    }
    const QString taken = reference->taken.toLocalTime().toString(QStringLiteral("HH:mm:ss"));
    const bool fits = judge_->referenceFits();
    if (fits || !scope_->recordShown()) {
        referenceTag_->setText(tr("REF %1").arg(taken));
    } else {
        referenceTag_->setText(tr("REF %1 · taken at %2 SPS, not drawn over a record at %3 SPS")
                                   .arg(taken)
                                   .arg(reference->settings.sampleRateSps())
                                   .arg(scope_->settings().sampleRateSps()));
    }
    referenceTag_->adjustSize();
    // Bottom left, above the history's label: the buttons stand in the plot's bottom right.
    referenceTag_->move(4, height() - 2 * referenceTag_->height() - 8);
    referenceTag_->show();
    if (!fits) {
        referenceOverlay_->hide();
        return;
    }
    const QImage plot =
        referencePlot(scope_->settings(), reference->records.front(), picture().size());
    referenceOverlay_->setGeometry(0, 0, picture().width(), picture().height());
    referenceOverlay_->showLayer(referenceLayer(picture(), plot, ReferenceOverlay::colour()));
    referenceOverlay_->show();
    referenceOverlay_->lower();  // under the readouts, the labels and the controls
}

}  // namespace kalvira::ui
