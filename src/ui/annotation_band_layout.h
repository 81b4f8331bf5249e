#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "decode/decoder_info.h"
#include "display/plot_mapping.h"

namespace kalvira::ui {

// The decoder's rows the band shows, one lane each, in the order they first appear; at most
// maxLanes of them, the rest left to the table.
std::vector<std::string> bandLanes(std::span<const decode::Annotation> annotations,
                                   std::size_t maxLanes = 3);

// An annotation's box in the band: its lane and its screen x from its first to past its last
// sample, held to the plot.
struct BandBox {
    std::size_t lane = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::size_t annotation = 0;  // its index in the annotations
    bool operator==(const BandBox &) const = default;
};

// The boxes of the annotations in the lanes that the plot shows, mapped as the trace is (sample
// s of the decode is the record's sample s + 1), so that they scroll and zoom with it.
std::vector<BandBox> bandBoxes(const display::PlotMapping &mapping,
                               std::span<const decode::Annotation> annotations,
                               const std::vector<std::string> &lanes);

// What a box says: a byte of a data row as hex and ASCII ("0x41 'A'", "0x0A" for what is not
// printable), anything else as the decoder wrote it.
std::string bandText(const decode::Annotation &annotation);

// The scroll bar's value (divisions) that puts decode sample s a quarter into the plot, held to
// 0..maximum.
int scrollForSample(const display::PlotMapping &mapping, std::uint64_t sample, int maximum);

}  // namespace kalvira::ui
