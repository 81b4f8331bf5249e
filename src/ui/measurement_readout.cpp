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
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "rms"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "duty"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "+width"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "-width"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "rise"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "fall"),
                                  QT_TRANSLATE_NOOP("kalvira::ui::MeasurementReadout", "periods")};

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
    styleOverlayText(*this, 4);
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
        lines << translatedLine(line);
    }
    setText(lines.join(QLatin1Char('\n')));
    adjustSize();
    setVisible(true);
}

}  // namespace kalvira::ui
