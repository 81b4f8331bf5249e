#include "spectrum_harmonics.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "display/spectrum_axis.h"

namespace kalvira::ui {

namespace {

constexpr int kFirstOrder = 2;
constexpr int kOrders = 9;  // 2..10

}  // namespace

SpectrumHarmonics::SpectrumHarmonics(QWidget *parent) : QWidget(parent) {
    thd_ = new QLabel(this);
    thd_->setObjectName(QStringLiteral("spectrumThd"));
    table_ = new QTableWidget(kOrders, 3, this);
    table_->setObjectName(QStringLiteral("spectrumHarmonics"));
    table_->setHorizontalHeaderLabels({tr("Harmonic"), tr("Frequency"), tr("Level")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < kOrders; ++row) {
        for (int column = 0; column < 3; ++column)
            table_->setItem(row, column, new QTableWidgetItem);
        table_->item(row, 0)->setText(QString::number(kFirstOrder + row));
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(thd_);
    layout->addWidget(table_);
    showFigures({});
}

void SpectrumHarmonics::showFigures(const analysis::SpectrumFigures &figures) {
    thd_->setText(figures.thdPercent && figures.thdDb ? tr("Harmonics · THD %1 % (%2 dB)")
                                                            .arg(*figures.thdPercent, 0, 'f', 3)
                                                            .arg(*figures.thdDb, 0, 'f', 1)
                                                      : tr("Harmonics · THD –"));
    for (int row = 0; row < kOrders; ++row) {
        const int order = kFirstOrder + row;
        const auto found = std::find_if(figures.harmonics.begin(), figures.harmonics.end(),
                                        [&](const auto &h) { return h.order == order; });
        const bool shown = found != figures.harmonics.end();
        table_->item(row, 1)->setText(
            shown ? QString::fromStdString(display::frequencyLabel(found->frequencyHz))
                  : QStringLiteral("–"));
        table_->item(row, 2)->setText(shown ? tr("%1 dBc").arg(found->dbc, 0, 'f', 2)
                                            : QStringLiteral("–"));
    }
}

QString SpectrumHarmonics::cellText(int row, int column) const {
    return table_->item(row, column)->text();
}

}  // namespace kalvira::ui
