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

void MeasurementReadout::showRecord(std::span<const std::int16_t> record, double samplePeriodS,
                                    const std::optional<analysis::Calibration> &calibration) {
    if (record.empty()) {
        clear();
        setVisible(false);
        return;
    }
    // The names the lines begin with, marked for translation.
    [[maybe_unused]] static constexpr const char *kNames[] = {
        QT_TR_NOOP("f"),      QT_TR_NOOP("T"),      QT_TR_NOOP("min"),  QT_TR_NOOP("max"),
        QT_TR_NOOP("p-p"),    QT_TR_NOOP("mean"),   QT_TR_NOOP("rms"),  QT_TR_NOOP("duty"),
        QT_TR_NOOP("+width"), QT_TR_NOOP("-width"), QT_TR_NOOP("rise"), QT_TR_NOOP("fall"),
        QT_TR_NOOP("periods")};
    QStringList lines;
    for (const std::string &line :
         analysis::readoutLines(analysis::measureRecord(record, samplePeriodS, calibration))) {
        // "name = value": the name is translated, the value stays as the analysis wrote it.
        const std::size_t equals = line.find(" = ");
        lines << tr(line.substr(0, equals).c_str()) + QString::fromStdString(line.substr(equals));
    }
    setText(lines.join(QLatin1Char('\n')));
    adjustSize();
    setVisible(true);
}

}  // namespace kalvira::ui
