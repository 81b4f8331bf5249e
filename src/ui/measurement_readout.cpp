#include "measurement_readout.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "analysis/record_figures.h"
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

QString nameOf(const QString &line) {
    return line.left(line.indexOf(QLatin1String(" = ")));
}

QString valueOf(const QString &line) {
    return line.mid(line.indexOf(QLatin1String(" = ")) + 3);
}

QString figureCell(analysis::Figure figure, std::optional<double> value) {
    return value ? QString::fromStdString(analysis::figureText(figure, *value))
                 : QStringLiteral("–");
}

// The spread of figures that differ only in their last bits (a duty cycle of exactly 50 % worked
// out from different phases) reads 0: twelve digits are far beyond what any figure resolves.
std::optional<double> shownDeviation(const analysis::RunningStatistics &statistics) {
    const auto deviation = statistics.standardDeviation();
    if (deviation && *deviation <= 1e-12 * std::fabs(statistics.mean())) return 0.0;
    return deviation;
}

// "Δref = 3.162", or in volts with the counts beside them: "Δref = 15.81 mV (3.162)".
QString deltaRefLine(const analysis::ReferenceDifference &difference) {
    const QString counts =
        QString::fromStdString(analysis::figureText(analysis::Figure::DeltaRef, difference.counts));
    if (!difference.volts) return QStringLiteral("Δref = ") + counts;
    return QStringLiteral("Δref = %1 (%2)")
        .arg(QString::fromStdString(analysis::formatVolts(*difference.volts)), counts);
}

QStringList passFailLines(const std::pair<std::int64_t, std::int64_t> &counts) {
    const auto [passed, failed] = counts;
    const double ratio = passed + failed > 0 ? 100.0 * double(failed) / double(passed + failed) : 0;
    return {MeasurementReadout::tr("pass = %1").arg(passed),
            MeasurementReadout::tr("fail = %1").arg(failed),
            MeasurementReadout::tr("fail ratio = %1 %").arg(ratio, 0, 'f', 2)};
}

}  // namespace

MeasurementReadout::MeasurementReadout(QWidget *parent) : QLabel(parent) {
    setObjectName(QStringLiteral("measurementReadout"));
    styleOverlayText(*this, 4);
    setTextFormat(Qt::PlainText);
}

void MeasurementReadout::showRecord(std::span<const std::int16_t> record, double samplePeriodS,
                                    const std::optional<analysis::Calibration> &calibration,
                                    const ReadoutExtras &extras) {
    copyLines_.clear();
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
    const auto shown = analysis::readoutFigures(calibration.has_value());
    std::vector<analysis::Figure> figures(shown.begin(), shown.end());
    if (extras.deltaRef) {
        lines << deltaRefLine(*extras.deltaRef);
        figures.push_back(extras.deltaRef->volts ? analysis::Figure::DeltaRefVolts
                                                 : analysis::Figure::DeltaRef);
    }
    if (extras.statistics) return showTable(lines, figures, extras);

    copyLines_ = lines;
    QStringList marked = lines;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (std::find(extras.failed.begin(), extras.failed.end(), figures[i]) !=
            extras.failed.end())
            marked[static_cast<qsizetype>(i)] += QStringLiteral("  ✗");
    }
    if (!extras.maskNote.isEmpty()) marked << extras.maskNote;
    if (extras.passFail) {
        copyLines_ << passFailLines(*extras.passFail);
        marked << passFailLines(*extras.passFail);
    }
    setTextFormat(Qt::PlainText);
    setText(marked.join(QLatin1Char('\n')));
    adjustSize();
    setVisible(true);
}

// The lines as a table: each figure's current value, then its statistics.
void MeasurementReadout::showTable(const QStringList &lines,
                                   const std::vector<analysis::Figure> &figures,
                                   const ReadoutExtras &extras) {
    const QString cell = QStringLiteral("<td style=\"padding: 0 4px\">%1</td>");
    QString html = QStringLiteral("<table cellspacing=\"0\"><tr><td colspan=\"7\">%1</td></tr><tr>")
                       .arg(extras.statisticsTitle.toHtmlEscaped());
    for (const QString &heading :
         {QString(), tr("current"), tr("min"), tr("max"), tr("mean"), tr("std"), tr("count")})
        html += cell.arg(heading);
    html += QStringLiteral("</tr>");
    const QStringList statisticNames{tr("min"), tr("max"), tr("mean"), tr("std"), tr("count")};
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const QString &line = lines[static_cast<qsizetype>(i)];
        const analysis::RunningStatistics &of = extras.statistics->of(figures[i]);
        const bool any = of.count() > 0;
        const QStringList values{
            figureCell(figures[i], any ? std::optional(of.minimum()) : std::nullopt),
            figureCell(figures[i], any ? std::optional(of.maximum()) : std::nullopt),
            figureCell(figures[i], any ? std::optional(of.mean()) : std::nullopt),
            figureCell(figures[i], shownDeviation(of)), QString::number(of.count())};
        const bool failed = std::find(extras.failed.begin(), extras.failed.end(), figures[i]) !=
                            extras.failed.end();
        html += failed ? QStringLiteral("<tr style=\"color: #ff5050\">") : QStringLiteral("<tr>");
        html += cell.arg(nameOf(line).toHtmlEscaped()) + cell.arg(valueOf(line).toHtmlEscaped());
        for (const QString &value : values) html += cell.arg(value.toHtmlEscaped());
        html += QStringLiteral("</tr>");
        copyLines_ << line;
        for (qsizetype k = 0; k < values.size(); ++k)
            copyLines_
                << QStringLiteral("%1 %2 = %3").arg(nameOf(line), statisticNames[k], values[k]);
    }
    QStringList footer;
    if (!extras.maskNote.isEmpty()) footer << extras.maskNote;
    if (extras.passFail) {
        copyLines_ << passFailLines(*extras.passFail);
        footer << passFailLines(*extras.passFail).join(QStringLiteral("   "));
    }
    for (const QString &line : footer)
        html += QStringLiteral("<tr><td colspan=\"7\">%1</td></tr>").arg(line.toHtmlEscaped());
    setTextFormat(Qt::RichText);
    setText(html + QStringLiteral("</table>"));
    adjustSize();
    setVisible(true);
}

QStringList MeasurementReadout::copyLines() const {
    return isHidden() ? QStringList() : copyLines_;
}

}  // namespace kalvira::ui
