#include "output_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <string>

#include "analysis/spectrum.h"
#include "option_numbers.h"

namespace kalvira::capture {

namespace {

constexpr int kMaxRecords = 1000;

// "rectangular, hann, hamming, blackman-harris, flat-top"
QString windowNames() {
    QStringList names;
    for (const auto window : analysis::kSpectrumWindows) {
        names << QString::fromStdString(std::string(analysis::windowName(window)));
    }
    return names.join(QStringLiteral(", "));
}

}  // namespace

OutputOptions addOutputOptions(QCommandLineParser &parser) {
    OutputOptions options{
        {QStringLiteral("records"),
         QCoreApplication::translate("kalvira-capture",
                                     "Complete records to take, 1..%1, or 0 for no end but Ctrl+C "
                                     "or --duration. 1 is a single run; more run the continuous "
                                     "mode, stopped after the last one. Default 1, or 0 with "
                                     "--duration or --interval.")
             .arg(kMaxRecords),
         QStringLiteral("K"), QStringLiteral("1")},
        {QStringLiteral("output"),
         QCoreApplication::translate("kalvira-capture",
                                     "Write the record file to FILE (replaced only when complete) "
                                     "instead of standard output. FILE.sr writes a sigrok "
                                     "session of every record (analog and thresholded logic), "
                                     "FILE.wav 16-bit PCM, one file a record (FILE-1.wav, ... "
                                     "for several)."),
         QCoreApplication::translate("kalvira-capture", "FILE")},
        {QStringLiteral("measure"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Print the measurements of each record as one JSON object a line on standard output "
             "(min, max, peak_to_peak, mean, rms, frequency_hz, period_s, duty_cycle_percent, "
             "positive_width_s, negative_width_s, rise_time_s, fall_time_s, periods; with a "
             "calibration also min_v, max_v, peak_to_peak_v, mean_v, rms_v) with the figures of "
             "its Hann spectrum whatever --window says (fundamental_hz, fundamental_dbfs, "
             "thd_percent over harmonics 2..10, sinad_db, enob_bits; SINAD and ENOB from its "
             "Blackman-Harris spectrum, as in the spectrum window); null where not defined. The "
             "record file then goes only to --output, when given.") +
             QLatin1Char(' ') +
             QCoreApplication::translate(
                 "kalvira-capture",
                 "Then noise_floor_dbfs (the median bin outside the DC, fundamental and harmonic "
                 "lobes) and the IEEE 1241 four-parameter sine fit: sinefit_frequency_hz, "
                 "sinefit_amplitude and sinefit_nad (the residuals' RMS) in counts, "
                 "sinefit_sinad_db and sinefit_enob_bits (full scale 1024 counts); null with "
                 "fewer than 5 periods.")},
        {QStringLiteral("spectrum"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Write the spectrum of each record to FILE (replaced only when complete) as the "
             "spectrum window's CSV: `# key=value` lines, then frequency_hz,magnitude_db in dBFS, "
             "the mean removed; several records in one file with a leading record column."),
         QStringLiteral("FILE")},
        {QStringLiteral("window"),
         QCoreApplication::translate("kalvira-capture",
                                     "The window for --spectrum: %1. Default hann. --measure "
                                     "always uses hann.")
             .arg(windowNames()),
         QStringLiteral("NAME"), QStringLiteral("hann")},
        {QStringLiteral("average"),
         QCoreApplication::translate(
             "kalvira-capture",
             "Write the records' averaged spectrum to the --spectrum file instead, replaced as "
             "each record completes: linear:N (the mean power of the first N records, N 2..%1), "
             "exp:N (each new record weighed 1/N), peak or min (each bin's highest or lowest "
             "level). Default off.")
             .arg(analysis::kMostAveraged),
         QStringLiteral("MODE"), QStringLiteral("off")}};
    parser.addOptions({options.records, options.output, options.measure, options.spectrum,
                       options.window, options.average});
    return options;
}

std::variant<CaptureOptions, QString> withOutputOptions(CaptureOptions options,
                                                        const QCommandLineParser &parser,
                                                        const OutputOptions &outputs) {
    options.measure = parser.isSet(outputs.measure);
    const auto count = wholeNumberIn(parser.value(outputs.records), 0, kMaxRecords);
    if (!count) {
        return QCoreApplication::translate("kalvira-capture", "--records must be 0..%1")
            .arg(kMaxRecords);
    }
    options.records = *count;
    if (!parser.isSet(outputs.records) && (options.durationS || options.intervalS)) {
        options.records = 0;
    }
    if (parser.isSet(outputs.output) && parser.value(outputs.output).isEmpty()) {
        return QCoreApplication::translate("kalvira-capture", "--output needs a file name");
    }
    options.output = parser.value(outputs.output);
    if (parser.isSet(outputs.spectrum) && parser.value(outputs.spectrum).isEmpty()) {
        return QCoreApplication::translate("kalvira-capture", "--spectrum needs a file name");
    }
    options.spectrum = parser.value(outputs.spectrum);
    const auto named = analysis::windowNamed(parser.value(outputs.window).toStdString());
    if (!named) {
        return QCoreApplication::translate("kalvira-capture", "--window must be one of %1")
            .arg(windowNames());
    }
    options.window = *named;
    const auto average = analysis::averagingNamed(parser.value(outputs.average).toStdString());
    if (!average) {
        return QCoreApplication::translate("kalvira-capture",
                                           "--average must be linear:N or exp:N with N %1..%2, "
                                           "peak or min")
            .arg(analysis::kLeastAveraged)
            .arg(analysis::kMostAveraged);
    }
    if (average->mode != analysis::AveragingMode::Off) {
        if (options.spectrum.isEmpty()) {
            return QCoreApplication::translate("kalvira-capture", "--average needs --spectrum");
        }
        options.average = *average;
    }
    return options;
}

}  // namespace kalvira::capture
