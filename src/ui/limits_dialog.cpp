#include "limits_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kalvira::ui {

namespace {

enum Column { kFigureColumn, kLowColumn, kHighColumn };

QString unitName(analysis::FigureUnit unit) {
    switch (unit) {
        case analysis::FigureUnit::Hertz:
            return LimitsDialog::tr("Hz");
        case analysis::FigureUnit::Seconds:
            return LimitsDialog::tr("s");
        case analysis::FigureUnit::Counts:
            return LimitsDialog::tr("counts");
        case analysis::FigureUnit::Percent:
            return QStringLiteral("%");
        case analysis::FigureUnit::Volts:
            return LimitsDialog::tr("V");
        case analysis::FigureUnit::Whole:
            break;
    }
    return {};
}

// "f (Hz)  frequency_hz"
QString caption(const analysis::FigureFacts &facts) {
    const QString unit = unitName(facts.unit);
    const QString symbol = QString::fromUtf8(facts.symbol.data(), qsizetype(facts.symbol.size()));
    const QString key = QString::fromUtf8(facts.key.data(), qsizetype(facts.key.size()));
    return (unit.isEmpty() ? symbol : QStringLiteral("%1 (%2)").arg(symbol, unit)) +
           QStringLiteral("  ") + key;
}

// A number as the user's locale writes it, or as C does ("0.005" everywhere).
std::optional<double> number(const QString &given) {
    bool ok = false;
    const QString text = given.trimmed();
    double value = QLocale().toDouble(text, &ok);
    if (!ok) value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

QString shortest(double value) {
    return QLocale().toString(value, 'g', QLocale::FloatingPointShortest);
}

template <typename Field>
Field *named(Field *field, const char *name) {
    field->setObjectName(QLatin1String(name));
    return field;
}

}  // namespace

LimitsDialog::LimitsDialog(const scope::JudgeCriteria &current, bool calibrated, QWidget *parent)
    : QDialog(parent), calibrated_(calibrated) {
    setObjectName(QStringLiteral("limitsDialog"));
    setWindowTitle(tr("Limits and mask"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);

    table_ = named(new QTableWidget(int(analysis::kFigureCount), 3, this), "limitsTable");
    table_->setHorizontalHeaderLabels({tr("Figure"), tr("Low"), tr("High")});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    table_->horizontalHeader()->setSectionResizeMode(kFigureColumn, QHeaderView::Stretch);
    for (int row = 0; row < table_->rowCount(); ++row) {
        auto *figure = new QTableWidgetItem(caption(analysis::kFigures[std::size_t(row)]));
        figure->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        figure->setCheckState(Qt::Unchecked);
        table_->setItem(row, kFigureColumn, figure);
        table_->setItem(row, kLowColumn, new QTableWidgetItem);
        table_->setItem(row, kHighColumn, new QTableWidgetItem);
    }
    maskOn_ = named(new QCheckBox(tr("Test against the reference as a mask"), this), "maskOn");
    maskLevel_ = named(new QLineEdit(QStringLiteral("0"), this), "maskLevel");
    maskUnit_ = named(new QComboBox(this), "maskUnit");
    maskUnit_->addItems({tr("counts"), tr("V")});
    maskTime_ = named(new QSpinBox(this), "maskTime");
    maskTime_->setRange(0, analysis::kMaxMaskSamples);
    maskTime_->setSuffix(tr(" samples"));
    stopAtFirstFail_ =
        named(new QCheckBox(tr("Stop the run at the first fail"), this), "stopAtFirstFail");
    keepOnlyFailing_ = named(new QCheckBox(tr("Keep only failing records in the history"), this),
                             "keepOnlyFailing");
    problem_ = named(new QLabel(this), "problem");
    problem_->setWordWrap(true);
    problem_->hide();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto *level = new QHBoxLayout;
    level->addWidget(maskLevel_);
    level->addWidget(maskUnit_);
    auto *mask = new QFormLayout;
    mask->addRow(tr("± level"), level);
    mask->addRow(tr("± time"), maskTime_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("A record passes with every ticked figure within its range."), this));
    layout->addWidget(table_, 1);
    layout->addWidget(maskOn_);
    layout->addLayout(mask);
    layout->addWidget(stopAtFirstFail_);
    layout->addWidget(keepOnlyFailing_);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &LimitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LimitsDialog::reject);
    fill(current);
    resize(460, 560);
}

void LimitsDialog::fill(const scope::JudgeCriteria &current) {
    for (const analysis::FigureLimit &limit : current.limits) {
        const int row = int(analysis::indexOf(limit.figure));
        table_->item(row, kFigureColumn)->setCheckState(Qt::Checked);
        table_->item(row, kLowColumn)->setText(shortest(limit.low));
        table_->item(row, kHighColumn)->setText(shortest(limit.high));
    }
    maskOn_->setChecked(current.mask.has_value());
    if (current.mask) {
        maskLevel_->setText(shortest(current.mask->level));
        maskUnit_->setCurrentIndex(current.mask->inVolts ? 1 : 0);
        maskTime_->setValue(current.mask->samples);
    }
    stopAtFirstFail_->setChecked(current.stopAtFirstFail);
    keepOnlyFailing_->setChecked(current.keepOnlyFailing);
}

std::optional<QString> LimitsDialog::readLimits(scope::JudgeCriteria &criteria) const {
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (table_->item(row, kFigureColumn)->checkState() != Qt::Checked) continue;
        const analysis::FigureFacts &facts = analysis::kFigures[std::size_t(row)];
        const auto low = number(table_->item(row, kLowColumn)->text());
        const auto high = number(table_->item(row, kHighColumn)->text());
        const QString name = caption(facts);
        if (!low || !high) return tr("The low and high end of %1 must be numbers.").arg(name);
        const auto made = analysis::makeLimit(facts.figure, *low, *high);
        if (!std::holds_alternative<analysis::FigureLimit>(made))
            return tr("The low end of %1 must not be above its high end.").arg(name);
        criteria.limits.push_back(std::get<analysis::FigureLimit>(made));
    }
    return std::nullopt;
}

std::optional<QString> LimitsDialog::readMask(scope::JudgeCriteria &criteria) const {
    if (!maskOn_->isChecked()) return std::nullopt;
    const auto level = number(maskLevel_->text());
    if (!level || *level < 0) return tr("The mask's level must be a number, 0 or more.");
    const bool inVolts = maskUnit_->currentIndex() == 1;
    if (inVolts && !calibrated_) return tr("A level in volts needs a calibration.");
    criteria.mask = analysis::MaskTolerance{*level, inVolts, maskTime_->value()};
    return std::nullopt;
}

void LimitsDialog::accept() {
    scope::JudgeCriteria criteria;
    criteria.stopAtFirstFail = stopAtFirstFail_->isChecked();
    criteria.keepOnlyFailing = keepOnlyFailing_->isChecked();
    auto why = readLimits(criteria);
    if (!why) why = readMask(criteria);
    if (why) {
        problem_->setText(*why);
        problem_->show();
        return;
    }
    emit chosen(criteria);
    QDialog::accept();
}

}  // namespace kalvira::ui
