#include "measurement_readout.h"

#include <QStringList>

#include "analysis/record_measurements.h"
#include "look.h"

namespace kalvira::ui {

namespace {

// The names the measurements' lines begin with ("mean = 512.0"); f and T are symbols and stay.
constexpr const char *kNames[] = {QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "min"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "max"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "p-p"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "mean"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "rms")};

// The line with its name in the user's language; the figure and its unit as they are.
QString translatedLine(const std::string &line) {
    const QString text = QString::fromStdString(line);
    const qsizetype equals = text.indexOf(QLatin1String(" = "));
    for (const char *name : kNames) {
        if (text.left(equals) == QLatin1String(name)) {
            return MeasurementReadout::tr(name) + text.mid(equals);
        }
    }
    return text;
}

}  // namespace

MeasurementReadout::MeasurementReadout(QWidget *parent) : QLabel(parent) {
    setObjectName(QStringLiteral("measurementReadout"));
    setFont(interfaceFont());  // no antialiasing, like every text of the picture
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackgroundColour);
    colours.setColor(QPalette::WindowText, kForegroundColour);
    setPalette(colours);
    setMargin(4);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MeasurementReadout::showRecord(std::span<const std::int16_t> record, double samplePeriodS) {
    if (record.empty()) {
        clear();
        setVisible(false);
        return;
    }
    QStringList lines;
    for (const std::string &line :
         analysis::readoutLines(analysis::measureRecord(record, samplePeriodS))) {
        lines << translatedLine(line);
    }
    setText(lines.join(QLatin1Char('\n')));
    adjustSize();
    setVisible(true);
}

}  // namespace kalvira::ui
