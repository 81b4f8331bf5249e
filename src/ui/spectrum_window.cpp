#include "spectrum_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>
#include <functional>

#include "display/spectrum_axis.h"
#include "file_dialog.h"
#include "look.h"
#include "settings_store.h"
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

// A figure with its decimals and unit, or "–" where it is not defined.
QString figure(const std::optional<double> &value, int decimals, const QString &unit) {
    return value ? QString::number(*value, 'f', decimals) + unit : QStringLiteral("–");
}

// A message over the window, window modal, that does not wait for its OK.
void showNotice(QWidget *parent, const QString &text) {
    auto *box =
        new QMessageBox(QMessageBox::Warning, ui::windowTitle(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace

SpectrumWindow::SpectrumWindow(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("spectrumWindow"));
    setWindowTitle(tr("KALVIRA spectrum"));
    setWindowIcon(ui::windowIcon());

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
    plot_ = new SpectrumPlot(this);
    figures_ = new QLabel(this);
    figures_->setObjectName(QStringLiteral("spectrumFigures"));
    figures_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pointer_ = new QLabel(this);

    auto *options = new QHBoxLayout;
    options->addWidget(new QLabel(tr("Window"), this));
    options->addWidget(window_);
    options->addWidget(removeDc_);
    options->addWidget(linear_);
    options->addWidget(range_);
    options->addStretch();
    options->addWidget(pointer_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(plot_, 1);
    layout->addWidget(figures_);

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
        resize(720, 440);
    }

    const auto changed = [this] {
        rememberOptions();
        recompute();
    };
    connect(window_, &QComboBox::currentIndexChanged, this, changed);
    connect(removeDc_, &QCheckBox::toggled, this, changed);
    connect(linear_, &QCheckBox::toggled, this, changed);
    connect(range_, &QSpinBox::valueChanged, this, changed);
    connect(plot_, &SpectrumPlot::pointed, this, &SpectrumWindow::showPointed);

    auto *png = new QAction(tr("Save spectrum as PNG…"), this);
    png->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(png, &QAction::triggered, this, &SpectrumWindow::savePicture);
    auto *csv = new QAction(tr("Save spectrum as CSV…"), this);
    csv->setShortcut(QKeySequence::Save);
    connect(csv, &QAction::triggered, this, &SpectrumWindow::saveCsv);
    addActions({png, csv});
    setContextMenuPolicy(Qt::ActionsContextMenu);
    recompute();
}

SpectrumWindow::~SpectrumWindow() {
    rememberOptions();
}

void SpectrumWindow::showRecord(std::vector<std::int16_t> record, double sampleRateHz,
                                Settings settings,
                                std::optional<analysis::Calibration> calibration) {
    levels_ = analysis::SpectrumLevels(calibration);
    plot_->setLevels(levels_);
    record_ = std::move(record);
    sampleRateHz_ = sampleRateHz;
    settings_ = std::move(settings);
    recompute();
}

void SpectrumWindow::recompute() {
    const auto window = static_cast<analysis::SpectrumWindow>(window_->currentData().toInt());
    plot_->setScale(linear_->isChecked(), range_->value());
    range_->setEnabled(!linear_->isChecked());
    if (record_.size() < 2) {
        plot_->setSpectrum(std::nullopt);
        figures_->setText(tr("No record on screen"));
        return;
    }
    analysis::Spectrum spectrum =
        analyser_.transform(record_, sampleRateHz_, window, removeDc_->isChecked());
    const analysis::SpectrumFigures f = analysis::spectrumFigures(spectrum);
    const QString fundamental =
        f.fundamentalHz ? QString::fromStdString(display::frequencyLabel(*f.fundamentalHz))
                        : QStringLiteral("–");
    figures_->setText(
        tr("Fundamental %1, %2 · THD %3 (%4) · SINAD %5 · ENOB %6")
            .arg(fundamental,
                 figure(f.fundamentalDbfs ? std::optional(levels_.dbFromDbfs(*f.fundamentalDbfs))
                                          : std::nullopt,
                        2, QLatin1Char(' ') + QLatin1String(levels_.dbUnit())),
                 figure(f.thdPercent, 3, QStringLiteral(" %")), figure(f.thdDb, 1, tr(" dB")),
                 figure(f.sinadDb, 1, tr(" dB")), figure(f.enobBits, 2, tr(" bits"))));
    plot_->setSpectrum(std::move(spectrum));
}

QString SpectrumWindow::figuresText() const {
    return figures_->text();
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
}

void SpectrumWindow::closeEvent(QCloseEvent *event) {
    rememberOptions();
    QWidget::closeEvent(event);
}

void SpectrumWindow::savePicture() {
    openFileDialog(
        this, QFileDialog::AcceptSave, tr("Save spectrum"), tr("PNG images (*.png)"),
        QStringLiteral("png"), [this, shown = plot_->grab().toImage()](const QString &path) {
            if (!shown.save(path, "PNG")) {
                showNotice(this, tr("%1 could not be saved.").arg(QDir::toNativeSeparators(path)));
            }
        });
}

void SpectrumWindow::saveCsv() {
    if (!plot_->spectrum()) return;
    const std::string text = analysis::spectrumCsv({&*plot_->spectrum(), 1}, settings_, levels_);
    openFileDialog(
        this, QFileDialog::AcceptSave, tr("Save spectrum"), tr("CSV files (*.csv)"),
        QStringLiteral("csv"), [this, text](const QString &path) {
            QSaveFile file(path);
            const bool saved = file.open(QIODevice::WriteOnly) &&
                               file.write(text.data(), static_cast<qint64>(text.size())) ==
                                   static_cast<qint64>(text.size()) &&
                               file.commit();
            if (!saved) {
                showNotice(this, tr("%1 could not be saved: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
            }
        });
}

}  // namespace kalvira::ui
