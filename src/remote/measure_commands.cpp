// The measurements of the record on screen, as the readout and kalvira-capture --measure take
// them: levels in volts with a calibration, in counts without; THD and SINAD from the record's
// Hann spectrum, its mean removed; ENOB by the IEEE 1241 sine fit. A figure that is not defined
// reads 9.91E37.
#include "analysis/record_measurements.h"
#include "analysis/sine_fit.h"
#include "common/link_facts.h"
#include "instrument.h"
#include "scope/scope.h"
#include "scpi_numbers.h"

namespace kalvira::remote {

namespace {

using analysis::RecordMeasurements;

CommandResult figure(std::optional<double> value) {
    return answer(value ? numberText(*value) : kNotANumber);
}

// The record's measurements, none without a record on screen.
std::optional<RecordMeasurements> measured(const Instrument &instrument) {
    const scope::Scope &scope = instrument.scope;
    const int rate = scope.settings().rateCode;
    if (!scope.recordShown() || rate < 0 || rate >= static_cast<int>(kSampleRates.size()))
        return {};
    return analysis::measureRecord(scope.record(),
                                   kSampleRates[static_cast<std::size_t>(rate)].period,
                                   scope.settings().calibration);
}

// A figure of the measurements, by a member that is optional already.
template <std::optional<double> RecordMeasurements::*member>
CommandResult timing(Instrument &instrument) {
    const auto m = measured(instrument);
    return figure(m ? (*m).*member : std::nullopt);
}

// A level, in volts when the record reads in volts.
template <double analysis::VoltLevels::*volts, typename Counts>
CommandResult level(Instrument &instrument, Counts counts) {
    const auto m = measured(instrument);
    if (!m) return figure({});
    if (m->volts) return figure((*m->volts).*volts);
    return figure(static_cast<double>(counts(*m)));
}

std::optional<analysis::SpectrumFigures> spectral(Instrument &instrument) {
    const scope::Scope &scope = instrument.scope;
    if (!measured(instrument) || scope.record().size() < 2) return {};
    const analysis::Spectrum spectrum = instrument.analyser.transform(
        scope.record(), scope.settings().sampleRateSps(), analysis::SpectrumWindow::Hann);
    return analysis::spectrumFigures(spectrum);
}

// The sine fit's ENOB: it does not drop for a tone below full scale.
CommandResult sineFitEnob(Instrument &instrument) {
    const scope::Scope &scope = instrument.scope;
    if (!measured(instrument) || scope.record().size() < 2) return figure({});
    const auto fit = analysis::recordSineFit(scope.record(), scope.settings().sampleRateSps(),
                                             instrument.analyser);
    return figure(fit ? fit->enobBits : std::nullopt);
}

template <std::optional<double> analysis::SpectrumFigures::*member>
CommandResult spectralFigure(Instrument &instrument) {
    const auto figures = spectral(instrument);
    return figure(figures ? (*figures).*member : std::nullopt);
}

}  // namespace

std::vector<ScpiCommand> measureCommands() {
    using M = RecordMeasurements;
    using V = analysis::VoltLevels;
    return {
        {"MEASure:FREQuency", -1, timing<&M::frequencyHz>, nullptr},
        {"MEASure:PERiod", -1, timing<&M::periodS>, nullptr},
        {"MEASure:DUTYcycle", -1, timing<&M::dutyCyclePercent>, nullptr},
        {"MEASure:PWIDth", -1, timing<&M::positiveWidthS>, nullptr},
        {"MEASure:NWIDth", -1, timing<&M::negativeWidthS>, nullptr},
        {"MEASure:RISetime", -1, timing<&M::riseTimeS>, nullptr},
        {"MEASure:FALLtime", -1, timing<&M::fallTimeS>, nullptr},
        {"MEASure:VMAX", -1,
         [](Instrument &i) { return level<&V::maximum>(i, [](const M &m) { return m.maximum; }); },
         nullptr},
        {"MEASure:VMIN", -1,
         [](Instrument &i) { return level<&V::minimum>(i, [](const M &m) { return m.minimum; }); },
         nullptr},
        {"MEASure:VPP", -1,
         [](Instrument &i) {
             return level<&V::peakToPeak>(i, [](const M &m) { return m.peakToPeak; });
         },
         nullptr},
        {"MEASure:VAVerage", -1,
         [](Instrument &i) { return level<&V::mean>(i, [](const M &m) { return m.mean; }); },
         nullptr},
        {"MEASure:VRMS", -1,
         [](Instrument &i) { return level<&V::rms>(i, [](const M &m) { return m.rms; }); },
         nullptr},
        {"MEASure:THD", -1, spectralFigure<&analysis::SpectrumFigures::thdPercent>, nullptr},
        {"MEASure:SINAD", -1, spectralFigure<&analysis::SpectrumFigures::sinadDb>, nullptr},
        {"MEASure:ENOB", -1, sineFitEnob, nullptr},
    };
}

}  // namespace kalvira::remote
