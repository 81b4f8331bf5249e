#include "measurement_readout.h"

#include <QStringList>

#include "analysis/record_measurements.h"
#include "look.h"

namespace kalvira::ui {

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
        lines << QString::fromStdString(line);
    }
    setText(lines.join(QLatin1Char('\n')));
    adjustSize();
    setVisible(true);
}

}  // namespace kalvira::ui
