#include "annotation_table_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "decode/record_decoding.h"
#include "file_dialog.h"
#include "look.h"
#include "settings_store.h"

namespace kalvira::ui {

namespace {

constexpr auto kGeometryKey = "decode/tableGeometry";

QTableWidgetItem *cell(const QString &text) {
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

AnnotationTableWindow::AnnotationTableWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("annotationTableWindow"));
    setWindowTitle(tr("KALVIRA decode"));
    setWindowIcon(ui::windowIcon());
    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName(QStringLiteral("annotationTable"));
    table_->setHorizontalHeaderLabels({tr("Time (s)"), tr("Row"), tr("Text")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    status_ = new QLabel(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 0 && std::size_t(row) < annotations_.size())
            emit annotationChosen(annotations_[std::size_t(row)].startSample);
    });
    auto *csv = new QAction(tr("Save annotations as CSV…"), this);
    csv->setShortcut(QKeySequence::Save);
    connect(csv, &QAction::triggered, this, &AnnotationTableWindow::saveCsv);
    addAction(csv);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    if (!restoreGeometry(settingsStore().value(QLatin1String(kGeometryKey)).toByteArray()))
        resize(520, 420);
}

AnnotationTableWindow::~AnnotationTableWindow() {
    settingsStore().setValue(QLatin1String(kGeometryKey), saveGeometry());
}

void AnnotationTableWindow::closeEvent(QCloseEvent *event) {
    settingsStore().setValue(QLatin1String(kGeometryKey), saveGeometry());
    QWidget::closeEvent(event);
}

void AnnotationTableWindow::showAnnotations(const std::vector<decode::Annotation> &annotations,
                                            int samplesPerSecond) {
    // In time order; the decoder gives a byte after its bits.
    annotations_ = annotations;
    std::stable_sort(annotations_.begin(), annotations_.end(),
                     [](const decode::Annotation &a, const decode::Annotation &b) {
                         return a.startSample < b.startSample;
                     });
    samplesPerSecond_ = samplesPerSecond;
    table_->setRowCount(static_cast<int>(annotations_.size()));
    const double rate = samplesPerSecond > 0 ? samplesPerSecond : 1;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto &annotation = annotations_[std::size_t(row)];
        table_->setItem(row, 0,
                        cell(QString::number(double(annotation.startSample) / rate, 'f', 6)));
        table_->setItem(row, 1, cell(QString::fromStdString(annotation.row)));
        auto *text = cell(QString::fromStdString(annotation.text));
        if (annotation.problem) text->setForeground(Qt::red);
        table_->setItem(row, 2, text);
    }
    status_->setText(tr("%n annotation(s)", nullptr, table_->rowCount()));
}

void AnnotationTableWindow::showNothing(const QString &why) {
    annotations_.clear();
    table_->setRowCount(0);
    status_->setText(why);
}

void AnnotationTableWindow::saveCsv() {
    if (annotations_.empty()) return;
    const std::string csv = decode::annotationsCsv(annotations_, samplesPerSecond_);
    openFileDialog(this, QFileDialog::AcceptSave, tr("Save annotations"), tr("CSV files (*.csv)"),
                   QStringLiteral("csv"), [this, csv](const QString &path) {
                       QSaveFile out(path);
                       const auto size = static_cast<qint64>(csv.size());
                       if (out.open(QIODevice::WriteOnly) && out.write(csv.data(), size) == size &&
                           out.commit()) {
                           return;
                       }
                       auto *box = new QMessageBox(
                           QMessageBox::Warning, ui::windowTitle(),
                           tr("%1 could not be saved: %2")
                               .arg(QDir::toNativeSeparators(path), out.errorString()),
                           QMessageBox::Ok, this);
                       box->setAttribute(Qt::WA_DeleteOnClose);
                       box->open();
                   });
}

}  // namespace kalvira::ui
