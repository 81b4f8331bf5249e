#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvira::analysis {

// The four cursors over a record. They belong to the record, not to the screen: time cursors
// stand on sample numbers and level cursors on counts, whatever the time base or scroll.
enum class CursorId { T1, T2, V1, V2 };

struct CursorPositions {
    std::int32_t t1 = 1;  // sample numbers, 1..N
    std::int32_t t2 = 1;
    std::int32_t v1 = 0;  // levels in counts, 0..32767
    std::int32_t v2 = 0;
    bool operator==(const CursorPositions &) const = default;
};

inline constexpr std::int32_t kHighestLevel = 32767;

// Where the cursors stand when first shown over samples first..last of the record (1-based, the
// part on screen): T1 and T2 at a quarter and three quarters of it, V1 at its minimum and V2 at
// its maximum. record[k - 1] is sample k.
CursorPositions initialCursors(std::span<const std::int16_t> record, std::int32_t first,
                               std::int32_t last);

// The positions with one cursor moved by delta samples or counts, held to samples 1..n and to
// levels 0..32767.
CursorPositions movedCursor(CursorPositions positions, CursorId id, std::int32_t delta,
                            std::int32_t n);

// The positions with one cursor put on a sample or a level, held as movedCursor holds them.
CursorPositions placedCursor(CursorPositions positions, CursorId id, std::int32_t at,
                             std::int32_t n);

// What the cursors read on a record taken one sample every samplePeriodS seconds.
struct CursorReadings {
    std::int32_t t1 = 1;
    std::int32_t t2 = 1;
    double time1S = 0.0;  // from the record's first sample
    double time2S = 0.0;
    double deltaTS = 0.0;                  // T2 - T1
    std::optional<double> inverseDeltaHz;  // 1 / |Δt|; none when both stand on one sample
    std::optional<std::int16_t> value1;    // the samples under T1 and T2
    std::optional<std::int16_t> value2;
    std::int32_t v1 = 0;
    std::int32_t v2 = 0;
    std::int32_t deltaV = 0;  // V2 - V1
};

CursorReadings readCursors(const CursorPositions &positions, std::span<const std::int16_t> record,
                           double samplePeriodS);

// Writes a level: a count (or, for a difference, a count difference) as the readout shows it.
using LevelText = std::function<std::string(double counts, bool difference)>;

// Counts as whole numbers: "512", "-300".
std::string countsText(double counts, bool difference);

// The lines of the cursor readout box, UTF-8 and independent of the locale:
// "T1 = 62.50 ms  #2501  512", the same for T2, "Δt = 125.0 ms", "1/Δt = 8.000 Hz" (en dash
// without one), "V1 = 212", "V2 = 812", "ΔV = 600".
std::vector<std::string> cursorReadoutLines(const CursorReadings &readings,
                                            const LevelText &level = countsText);

// Four significant digits with a unit chosen so the figure reads 1..999: "62.50 ms", "1.000 s",
// "250.0 µs", "0 s"; "8.000 Hz", "12.50 kHz".
std::string secondsText(double seconds);
std::string hertzText(double hertz);

}  // namespace kalvira::analysis
