#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalvira::analysis {

class SpectrumLevels;

// Windows the record is weighed with before its transform; each is corrected for its gain, so a
// sine's peak reads its amplitude (within the window's scalloping: 1.42 dB at most with Hann,
// under 0.01 dB with the flat top).
enum class SpectrumWindow { Rectangular, Hann, Hamming, BlackmanHarris, FlatTop };

inline constexpr SpectrumWindow kSpectrumWindows[] = {
    SpectrumWindow::Rectangular, SpectrumWindow::Hann, SpectrumWindow::Hamming,
    SpectrumWindow::BlackmanHarris, SpectrumWindow::FlatTop};

// "rectangular", "hann", "hamming", "blackman-harris", "flat-top": the names files and the
// command line use.
std::string_view windowName(SpectrumWindow window);
std::optional<SpectrumWindow> windowNamed(std::string_view name);

// The window's terms a_m: w[n] = sum over m of (-1)^m a_m cos(2 pi m n / N), periodic in N.
std::span<const double> windowTerms(SpectrumWindow window);

// 0 dBFS: a sine spanning the whole 10-bit range, 0..1023.
inline constexpr double kFullScaleAmplitude = 511.5;

// The single-sided magnitude spectrum of one record: bin k stands for k * binHz, from 0 Hz to
// half the sample rate (record length / 2 + 1 bins), as the amplitude in counts a sine at that
// bin's frequency would have. Also the power left over each bin, for the figures below.
struct Spectrum {
    SpectrumWindow window = SpectrumWindow::Hann;
    double sampleRateHz = 0;
    double binHz = 0;
    bool dcRemoved = true;
    std::vector<double> amplitude;  // counts, per bin
    // Half the bins a sine's main lobe spreads over, either side of its peak, with this window.
    int lobeHalfWidth = 2;
    // The fundamental's frequency from the record's own Hann spectrum, interpolated between bins
    // to within a few hundredths of a bin; empty when no component stands out.
    std::optional<double> fundamentalHz;
    // The fundamental against everything else but DC, from the record's own Blackman-Harris
    // spectrum with the mean removed, whatever the window and the DC setting: the skirts of the
    // others (Hann's at -32 dB half a bin off) stand above a 10-bit converter's noise unless the
    // sine falls on a bin. Empty with no fundamental.
    std::optional<double> sinadDb;
};

// Level of an amplitude in dB relative to full scale; a floor of -300 dB stands for nothing.
double toDbfs(double amplitudeCounts);

// One harmonic of the fundamental as the harmonics table lists it.
struct HarmonicLevel {
    int order = 2;           // 2..10
    double frequencyHz = 0;  // order times the fundamental's frequency
    double amplitude = 0;    // counts, read through the window's lobe like the fundamental's
    double dbc = 0;          // against the fundamental; -300 for nothing
};

// The figures of a spectrum a reader of a converter's data sheet expects. Each is empty when it
// is not defined: no fundamental (a constant record, fewer than two periods, or nothing above
// half a count) leaves them all empty.
struct SpectrumFigures {
    std::optional<double> fundamentalHz;
    // The fundamental's level read through the window's lobe from its peak bin and the larger
    // neighbour, as its frequency is interpolated: the same at any offset from a bin, with any
    // window, so Hann's 1.42 dB of scalloping half a bin off does not show.
    std::optional<double> fundamentalDbfs;
    std::optional<double> thdPercent;  // harmonics 2..10 below half the sample rate
    std::optional<double> thdDb;
    std::optional<double> sinadDb;  // the spectrum's sinadDb
    std::optional<double> enobBits;
    // Harmonics 2..10 below half the sample rate, in order, their levels read as the
    // fundamental's.
    std::vector<HarmonicLevel> harmonics;
    // The median amplitude in counts of the bins outside the DC lobe, the fundamental's lobe and
    // every harmonic's lobe: where the trace's noise lies, untouched by the components.
    std::optional<double> noiseFloor;
};

SpectrumFigures spectrumFigures(const Spectrum &spectrum);

// Takes spectra of records, keeping one transform plan for each record length it has met, so a
// run of records of one length plans once. Not for use from more than one thread.
class SpectrumAnalyser {
public:
    SpectrumAnalyser();
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser &) = delete;
    SpectrumAnalyser &operator=(const SpectrumAnalyser &) = delete;

    // The whole record is transformed, whatever its length (at least 2 samples): no sample is
    // dropped and nothing is padded. With removeDc the record's mean is taken off first.
    Spectrum transform(std::span<const std::int16_t> record, double sampleRateHz,
                       SpectrumWindow window, bool removeDc = true);
    // The amplitudes alone, with no fundamental and no SINAD: one transform instead of up to
    // three, for averaging the spectra of many records.
    Spectrum magnitudes(std::span<const std::int16_t> record, double sampleRateHz,
                        SpectrumWindow window, bool removeDc = true);

private:
    struct Plan;
    Plan &planFor(int length);
    std::map<int, std::unique_ptr<Plan>> plans_;
};

// The JSON fields of the figures, for kalvira-capture --measure: ,"fundamental_hz":..,
// "fundamental_dbfs":..,"thd_percent":..,"sinad_db":..,"enob_bits":..,"noise_floor_dbfs":..
// with six significant digits (as printf's %.6g, whatever the locale) and null where empty, to
// join a record's measurements object.
std::string spectrumFiguresJsonFields(const SpectrumFigures &figures);

// The spectra of one or more records of one window and sample rate as CSV: "# key=value" lines
// (window, sample rate, DC removed, each spectrum's noise floor in the levels' unit, comma
// separated in record order, and those given), then frequency_hz,magnitude_db a bin a line.
// Several spectra add "# records=K" and a leading record column, 1..K, as a record file of several
// records does. Nothing for no spectrum.
// With levels in volts the levels are dBV, said by "# level_unit=dBV".
std::string spectrumCsv(std::span<const Spectrum> spectra,
                        const std::vector<std::pair<std::string, std::string>> &settings,
                        const SpectrumLevels &levels);

}  // namespace kalvira::analysis
