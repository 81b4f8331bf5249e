// The spectrum window's controls, its remembered options and its files; what it shows is in
// spectrum_window_spectrum.cpp.
#include "spectrum_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>
#include <functional>

#include "analysis/spectrum_markers.h"
#include "display/spectrum_axis.h"
#include "file_dialog.h"
#include "look.h"
#include "settings_store.h"
#include "spectrum_averaging_bar.h"
#include "spectrum_harmonics.h"
#include "spectrum_marker_panel.h"
#include "spectrum_plot.h"

namespace kalvira::ui {

namespace {

constexpr auto kGroup = "spectrum";

QString windowCaption(analysis::SpectrumWindow window) {
    switch (window) {
        case analysis::SpectrumWindow::Rectangular:
            return SpectrumWindow::tr("Rectangular");
        case analysis::SpectrumWindow::Hann:
            return SpectrumWindow::tr("Hann");
        case analysis::SpectrumWindow::Hamming:
            return SpectrumWindow::tr("Hamming");
        case analysis::SpectrumWindow::BlackmanHarris:
            return SpectrumWindow::tr("Blackman-Harris");
        case analysis::SpectrumWindow::FlatTop:
            return SpectrumWindow::tr("Flat top");
    }
    return {};
}

}  // namespace

SpectrumWindow::SpectrumWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("spectrumWindow"));
    setWindowTitle(tr("KALVIRA spectrum"));
    setWindowIcon(ui::windowIcon());
    createControls();
    layoutControls();
    restoreOptions();
    connectControls();

    auto *png = new QAction(tr("Save spectrum as PNG…"), this);
    png->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(png, &QAction::triggered, this, &SpectrumWindow::savePicture);
    auto *csv = new QAction(tr("Save spectrum as CSV…"), this);
    csv->setShortcut(QKeySequence::Save);
    connect(csv, &QAction::triggered, this, &SpectrumWindow::saveCsv);
    addActions({png, csv});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    takeSpectrum(Joining::Restart);
}

SpectrumWindow::~SpectrumWindow() {
    rememberOptions();
}

void SpectrumWindow::createControls() {
    window_ = new QComboBox(this);
    window_->setObjectName(QStringLiteral("spectrumWindowFunction"));
    for (const analysis::SpectrumWindow w : analysis::kSpectrumWindows) {
        window_->addItem(windowCaption(w), static_cast<int>(w));
    }
    removeDc_ = new QCheckBox(tr("Remove DC"), this);
    linear_ = new QCheckBox(tr("Linear"), this);
    range_ = new QSpinBox(this);
    range_->setRange(20, 200);
    range_->setSingleStep(10);
    range_->setSuffix(tr(" dB"));
    range_->setPrefix(tr("Range "));
    averaging_ = new SpectrumAveragingBar(this);
    plot_ = new SpectrumPlot(this);
    harmonics_ = new SpectrumHarmonics(this);
    markers_ = new SpectrumMarkerPanel(this);
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("spectrumFigures"));
    noiseFloor_ = new QLabel(this);
    noiseFloor_->setObjectName(QStringLiteral("spectrumNoiseFloor"));
    sineFit_ = new QLabel(this);
    sineFit_->setObjectName(QStringLiteral("spectrumSineFit"));
    for (QLabel *label : {figures_, noiseFloor_, sineFit_})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pointer_ = new QLabel(this);
}

// Options on top, the plot with the harmonics and the markers beside it, the FFT's figures and
// the sine fit's below, each line named.
void SpectrumWindow::layoutControls() {
    auto *options = new QHBoxLayout;
    options->addWidget(new QLabel(tr("Window"), this));
    options->addWidget(window_);
    options->addWidget(removeDc_);
    options->addWidget(linear_);
    options->addWidget(range_);
    options->addStretch();
    options->addWidget(pointer_);
    auto *side = new QVBoxLayout;
    side->addWidget(harmonics_, 1);
    side->addWidget(new QLabel(tr("Markers: click the plot to place the selected one"), this));
    side->addWidget(markers_, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(plot_, 1);
    middle->addLayout(side);
    harmonics_->setFixedWidth(330);
    markers_->setFixedWidth(330);
    auto *figures = new QGridLayout;
    figures->addWidget(new QLabel(tr("FFT"), this), 0, 0);
    figures->addWidget(figures_, 0, 1);
    figures->addWidget(noiseFloor_, 0, 2);
    figures->addWidget(new QLabel(tr("Sine fit (IEEE 1241)"), this), 1, 0);
    figures->addWidget(sineFit_, 1, 1, 1, 2);
    figures->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(averaging_);
    layout->addLayout(middle, 1);
    layout->addLayout(figures);
}

void SpectrumWindow::restoreOptions() {
    const QSettings stored = settingsStore();
    const QString group = QLatin1String(kGroup) + QLatin1Char('/');
    const auto named =
        analysis::windowNamed(stored.value(group + QStringLiteral("window"), QStringLiteral("hann"))
                                  .toString()
                                  .toStdString());
    window_->setCurrentIndex(static_cast<int>(named.value_or(analysis::SpectrumWindow::Hann)));
    removeDc_->setChecked(stored.value(group + QStringLiteral("removeDc"), true).toBool());
    linear_->setChecked(stored.value(group + QStringLiteral("linear"), false).toBool());
    range_->setValue(stored.value(group + QStringLiteral("rangeDb"), 100).toInt());
    if (!restoreGeometry(stored.value(group + QStringLiteral("geometry")).toByteArray())) {
        resize(1000, 620);
    }
}

// What changes the spectrum restarts the average with the record on screen; the scale only
// redraws.
void SpectrumWindow::connectControls() {
    const auto changed = [this] {
        rememberOptions();
        takeSpectrum(Joining::Restart);
    };
    const auto rescaled = [this] {
        rememberOptions();
        refreshScale();
    };
    connect(window_, &QComboBox::currentIndexChanged, this, changed);
    connect(removeDc_, &QCheckBox::toggled, this, changed);
    connect(averaging_, &SpectrumAveragingBar::changed, this, changed);
    connect(averaging_, &SpectrumAveragingBar::resetClicked, this,
            [this] { takeSpectrum(Joining::Restart); });
    connect(linear_, &QCheckBox::toggled, this, rescaled);
    connect(range_, &QSpinBox::valueChanged, this, rescaled);
    connect(plot_, &SpectrumPlot::pointed, this, &SpectrumWindow::showPointed);
    connect(plot_, &SpectrumPlot::clicked, markers_, &SpectrumMarkerPanel::placeSelected);
    connect(markers_, &SpectrumMarkerPanel::markersChanged, plot_,
            [this] { plot_->setMarkers(markers_->plotMarkers()); });
}

void SpectrumWindow::refreshScale() {
    plot_->setScale(linear_->isChecked(), range_->value());
    range_->setEnabled(!linear_->isChecked());
}

QString SpectrumWindow::figuresText() const {
    return figures_->text();
}

QString SpectrumWindow::noiseFloorText() const {
    return noiseFloor_->text();
}

QString SpectrumWindow::sineFitText() const {
    return sineFit_->text();
}

void SpectrumWindow::showPointed(double frequencyHz, double amplitude) {
    if (frequencyHz < 0) return pointer_->clear();
    const QString level =
        !linear_->isChecked()
            ? QStringLiteral("%1 %2").arg(levels_.db(amplitude), 0, 'f', 1).arg(levels_.dbUnit())
        : levels_.inVolts()
            ? QString::fromStdString(analysis::formatVolts(levels_.linear(amplitude)))
            : tr("%1 counts").arg(amplitude, 0, 'f', 2);
    pointer_->setText(QStringLiteral("%1, %2").arg(
        QString::fromStdString(display::frequencyLabel(frequencyHz)), level));
}

void SpectrumWindow::rememberOptions() const {
    QSettings stored = settingsStore();
    stored.beginGroup(QLatin1String(kGroup));
    const auto window = static_cast<analysis::SpectrumWindow>(window_->currentData().toInt());
    stored.setValue(QStringLiteral("window"),
                    QString::fromUtf8(analysis::windowName(window).data(),
                                      static_cast<qsizetype>(analysis::windowName(window).size())));
    stored.setValue(QStringLiteral("removeDc"), removeDc_->isChecked());
    stored.setValue(QStringLiteral("linear"), linear_->isChecked());
    stored.setValue(QStringLiteral("rangeDb"), range_->value());
    stored.setValue(QStringLiteral("geometry"), saveGeometry());
    stored.endGroup();
    averaging_->remember();
}

void SpectrumWindow::closeEvent(QCloseEvent *event) {
    rememberOptions();
    QWidget::closeEvent(event);
}

void SpectrumWindow::savePicture() {
    savePictureAs(this, plot_->grab().toImage(), tr("Save spectrum"));
}

// The spectrum shown, averaged or not, with the averaging and the markers in its "#" lines.
void SpectrumWindow::saveCsv() {
    if (!plot_->spectrum()) return;
    Settings settings = record_.settings;
    if (averaging_->averaging().mode != analysis::AveragingMode::Off) {
        settings.emplace_back("averaging", analysis::averagingName(averaging_->averaging()));
        settings.emplace_back("averaged_records", std::to_string(averager_.count()));
    }
    for (auto &line : analysis::markerSettings(*plot_->spectrum(), markers_->places(), levels_))
        settings.push_back(std::move(line));
    const std::string text = analysis::spectrumCsv({&*plot_->spectrum(), 1}, settings, levels_);
    saveTextAs(this, text, tr("Save spectrum"));
}

}  // namespace kalvira::ui
