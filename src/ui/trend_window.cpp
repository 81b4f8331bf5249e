#include "trend_window.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>
#include <cmath>

#include "analysis/running_statistics.h"
#include "file_dialog.h"
#include "look.h"
#include "scope/trend_series.h"
#include "settings_store.h"
#include "trend_plot.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "trend";

QString keyOf(analysis::Figure figure) {
    const auto key = analysis::factsOf(figure).key;
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

TrendWindow::TrendWindow(const scope::TrendSeries &trend, QWidget *parent)
    : QWidget(parent, Qt::Window), trend_(trend) {
    setObjectName(QStringLiteral("trendWindow"));
    setWindowTitle(tr("KALVIRA trend"));
    setWindowIcon(ui::windowIcon());

    figure_ = new QComboBox(this);
    figure_->setObjectName(QStringLiteral("trendFigure"));
    for (const analysis::FigureFacts &facts : analysis::kFigures) {
        const QString symbol =
            QString::fromUtf8(facts.symbol.data(), static_cast<qsizetype>(facts.symbol.size()));
        figure_->addItem(QStringLiteral("%1  (%2)").arg(symbol, keyOf(facts.figure)),
                         static_cast<int>(facts.figure));
    }
    plot_ = new TrendPlot(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("trendSummary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *options = new QHBoxLayout;
    options->addWidget(new QLabel(tr("Figure"), this));
    options->addWidget(figure_);
    options->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(plot_, 1);
    layout->addWidget(summary_);

    const QSettings stored = settingsStore();
    const QString group = QLatin1String(kGroup) + QLatin1Char('/');
    const auto named = analysis::figureNamed(
        stored.value(group + QStringLiteral("figure"), QStringLiteral("frequency_hz"))
            .toString()
            .toStdString());
    figure_->setCurrentIndex(static_cast<int>(named.value_or(analysis::Figure::Frequency)));
    if (!restoreGeometry(stored.value(group + QStringLiteral("geometry")).toByteArray()))
        resize(720, 400);
    connect(figure_, &QComboBox::currentIndexChanged, this, [this] {
        remember();
        refresh();
    });

    auto *png = new QAction(tr("Save trend as PNG…"), this);
    png->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(png, &QAction::triggered, this, &TrendWindow::savePicture);
    auto *csv = new QAction(tr("Save trend as CSV…"), this);
    csv->setShortcut(QKeySequence::Save);
    connect(csv, &QAction::triggered, this, &TrendWindow::saveCsv);
    addActions({png, csv});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    refresh();
}

TrendWindow::~TrendWindow() {
    remember();
}

analysis::Figure TrendWindow::figure() const {
    return static_cast<analysis::Figure>(figure_->currentData().toInt());
}

void TrendWindow::refresh() {
    plot_->showTrend(&trend_, figure());
    const std::size_t index = analysis::indexOf(figure());
    analysis::RunningStatistics statistics;
    for (std::size_t i = 0; i < trend_.size(); ++i) {
        const double value = trend_.at(i).values[index];
        if (!std::isnan(value)) statistics.add(value);
    }
    const auto text = [this](double value) {
        return QString::fromStdString(analysis::figureText(figure(), value));
    };
    if (statistics.count() == 0) {
        summary_->setText(tr("Records %1, none with this figure").arg(trend_.size()));
        return;
    }
    summary_->setText(
        tr("Records %1 · with the figure %2 · min %3 · max %4 · mean %5")
            .arg(trend_.size())
            .arg(statistics.count())
            .arg(text(statistics.minimum()), text(statistics.maximum()), text(statistics.mean())));
}

QString TrendWindow::summaryText() const {
    return summary_->text();
}

void TrendWindow::remember() const {
    QSettings stored = settingsStore();
    stored.beginGroup(QLatin1String(kGroup));
    stored.setValue(QStringLiteral("figure"), keyOf(figure()));
    stored.setValue(QStringLiteral("geometry"), saveGeometry());
}

void TrendWindow::closeEvent(QCloseEvent *event) {
    remember();
    QWidget::closeEvent(event);
}

void TrendWindow::savePicture() {
    savePictureAs(this, plot_->grab().toImage(), tr("Save trend"));
}

// Every figure of every record, as it is when asked.
void TrendWindow::saveCsv() {
    const std::string text = scope::trendCsv(trend_);
    saveTextAs(this, text, tr("Save trend"));
}

}  // namespace kalvira::ui
