#include "decode_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace kalvira::ui {

namespace {

template <typename Field>
Field *named(Field *field, const QString &name) {
    field->setObjectName(name);
    return field;
}

QString textOf(const decode::OptionValue &value) {
    return QString::fromStdString(decode::optionText(value));
}

// A number as the user's locale writes it, or as C does; none for an empty field.
std::variant<std::optional<double>, bool> number(const QLineEdit *field) {
    const QString text = field->text().trimmed();
    if (text.isEmpty()) return std::optional<double>();
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok) value = QLocale::c().toDouble(text, &ok);
    if (!ok) return false;
    return std::optional(value);
}

QString shortest(const std::optional<double> &value) {
    return value ? QLocale().toString(*value, 'g', QLocale::FloatingPointShortest) : QString();
}

}  // namespace

DecodeDialog::DecodeDialog(std::vector<decode::DecoderInfo> decoders, const DecodeChoice &current,
                           bool calibrated, QWidget *parent)
    : QDialog(parent), decoders_(std::move(decoders)) {
    setObjectName(QStringLiteral("decodeDialog"));
    setWindowTitle(tr("Decode"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    if (auto request = decode::parseDecodeRequest(current.request);
        std::holds_alternative<decode::DecodeRequest>(request)) {
        current_ = std::get<decode::DecodeRequest>(std::move(request));
    }

    on_ = named(new QCheckBox(tr("Decode the record on screen"), this), "decodeOn");
    on_->setChecked(true);  // opening the dialog is asking to decode; unticked, it stops
    decoder_ = named(new QComboBox(this), "decoder");
    for (const auto &info : decoders_) {
        decoder_->addItem(QStringLiteral("%1 – %2").arg(QString::fromStdString(info.name),
                                                        QString::fromStdString(info.longName)),
                          QString::fromStdString(info.id));
    }
    auto *optionsBox = new QGroupBox(tr("Decoder options"), this);
    options_ = new QFormLayout(optionsBox);

    level_ = named(new QLineEdit(shortest(current.threshold.level), this), "decodeLevel");
    level_->setPlaceholderText(tr("mid level"));
    hysteresis_ =
        named(new QLineEdit(shortest(current.threshold.hysteresis), this), "decodeHysteresis");
    hysteresis_->setPlaceholderText(tr("10 % of the span"));
    inVolts_ = named(new QCheckBox(tr("In volts"), this), "decodeInVolts");
    inVolts_->setChecked(current.threshold.inVolts && calibrated);
    inVolts_->setEnabled(calibrated);
    invert_ = named(new QCheckBox(tr("Invert (RS-232 levels)"), this), "decodeInvert");
    invert_->setChecked(current.threshold.invert);
    auto *logicBox = new QGroupBox(tr("Logic level"), this);
    auto *logic = new QFormLayout(logicBox);
    logic->addRow(tr("Threshold"), level_);
    logic->addRow(tr("Hysteresis"), hysteresis_);
    logic->addRow(inVolts_);
    logic->addRow(invert_);

    problem_ = named(new QLabel(this), "decodeProblem");
    problem_->setWordWrap(true);
    problem_->hide();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DecodeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DecodeDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(on_);
    layout->addWidget(decoder_);
    layout->addWidget(optionsBox);
    layout->addWidget(logicBox);
    layout->addWidget(problem_);
    layout->addWidget(buttons);

    connect(decoder_, &QComboBox::currentIndexChanged, this, &DecodeDialog::showOptionsOf);
    const int chosen = decoder_->findData(QString::fromStdString(current_.id));
    decoder_->setCurrentIndex(std::max(chosen, 0));
    showOptionsOf(decoder_->currentIndex());
}

void DecodeDialog::showOptionsOf(int index) {
    while (options_->rowCount() > 0) options_->removeRow(0);
    optionFields_.clear();
    if (index < 0 || std::size_t(index) >= decoders_.size()) return;
    const auto &info = decoders_[std::size_t(index)];
    for (const auto &option : info.options) {
        QString value = textOf(option.defaultValue);
        for (const auto &[name, text] : current_.options) {
            if (info.id == current_.id && name == option.id) value = QString::fromStdString(text);
        }
        const QString name = QStringLiteral("option_") + QString::fromStdString(option.id);
        QWidget *field = nullptr;
        if (!option.values.empty()) {
            auto *list = named(new QComboBox(this), name);
            for (const auto &allowed : option.values) list->addItem(textOf(allowed));
            list->setCurrentIndex(std::max(list->findText(value), 0));
            field = list;
        } else {
            field = named(new QLineEdit(value, this), name);
        }
        options_->addRow(QString::fromStdString(option.desc), field);
        optionFields_.push_back(field);
    }
}

std::variant<DecodeChoice, QString> DecodeDialog::readChoice() const {
    const int index = decoder_->currentIndex();
    if (index < 0 || std::size_t(index) >= decoders_.size()) return tr("Choose a decoder.");
    const auto &info = decoders_[std::size_t(index)];
    decode::DecodeRequest request{info.id, {}};
    for (std::size_t i = 0; i < info.options.size() && i < optionFields_.size(); ++i) {
        const auto *list = qobject_cast<const QComboBox *>(optionFields_[i]);
        const QString text =
            list ? list->currentText() : static_cast<const QLineEdit *>(optionFields_[i])->text();
        // Only what differs from the default is kept: a newer library's default then applies.
        if (text != textOf(info.options[i].defaultValue))
            request.options.emplace_back(info.options[i].id, text.trimmed().toStdString());
    }
    const auto setup = decode::checkDecodeRequest(request, decoders_);
    if (const auto *error = std::get_if<std::string>(&setup)) return QString::fromStdString(*error);
    DecodeChoice choice{
        on_->isChecked(), decode::setupText(std::get<decode::DecoderSetup>(setup)), {}};
    const auto level = number(level_);
    const auto band = number(hysteresis_);
    if (std::holds_alternative<bool>(level)) return tr("The threshold must be a number.");
    if (std::holds_alternative<bool>(band) ||
        std::get<std::optional<double>>(band).value_or(0) < 0) {
        return tr("The hysteresis must be a number not below 0.");
    }
    choice.threshold = {std::get<std::optional<double>>(level),
                        std::get<std::optional<double>>(band), inVolts_->isChecked(),
                        invert_->isChecked()};
    return choice;
}

void DecodeDialog::accept() {
    const auto choice = readChoice();
    if (const auto *problem = std::get_if<QString>(&choice)) {
        problem_->setText(*problem);
        problem_->show();
        return;
    }
    emit chosen(std::get<DecodeChoice>(choice));
    QDialog::accept();
}

}  // namespace kalvira::ui
