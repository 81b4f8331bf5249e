#include "verdict_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace kalvira::ui {

QString maskNote(const analysis::Verdict &verdict, std::size_t samples) {
    if (verdict.maskProblem) {
        switch (*verdict.maskProblem) {
            case analysis::MaskProblem::NoReference:
                return QCoreApplication::translate("kalvira::ui::VerdictText",
                                                   "mask: not tested, no reference");
            case analysis::MaskProblem::OtherRate:
                return QCoreApplication::translate(
                    "kalvira::ui::VerdictText",
                    "mask: not tested, the reference is of another rate");
            case analysis::MaskProblem::NoCalibration:
                return QCoreApplication::translate(
                    "kalvira::ui::VerdictText",
                    "mask: not tested, its level is in volts and the record in counts");
        }
    }
    if (verdict.samplesOutside.empty())
        return QCoreApplication::translate("kalvira::ui::VerdictText", "mask: inside");
    return QCoreApplication::translate("kalvira::ui::VerdictText",
                                       "mask: outside at %1 of %2 samples")
        .arg(verdict.samplesOutside.size())
        .arg(samples);
}

QString failureTag(const analysis::Verdict &verdict, std::size_t samples) {
    QStringList parts{QCoreApplication::translate("kalvira::ui::VerdictText", "FAIL")};
    QStringList figures;
    for (const analysis::Figure figure : verdict.figuresOutside) {
        const auto symbol = analysis::factsOf(figure).symbol;
        figures << QString::fromUtf8(symbol.data(), static_cast<qsizetype>(symbol.size()));
    }
    if (!figures.isEmpty()) parts << figures.join(QStringLiteral(", "));
    if (!verdict.samplesOutside.empty()) parts << maskNote(verdict, samples);
    return parts.join(QStringLiteral(" · "));
}

}  // namespace kalvira::ui
