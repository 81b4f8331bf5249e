#include "annotation_band_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kalvira::ui {

namespace {

std::int32_t xOf(const display::PlotMapping &mapping, std::uint64_t sample) {
    const auto position = std::min<std::uint64_t>(sample + 1, INT32_MAX);
    return display::sampleX(mapping, static_cast<std::int32_t>(position));
}

bool isHexByte(const std::string &text) {
    return text.size() == 2 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) != 0;
           });
}

}  // namespace

std::vector<std::string> bandLanes(std::span<const decode::Annotation> annotations,
                                   std::size_t maxLanes) {
    std::vector<std::string> lanes;
    for (const auto &annotation : annotations) {
        if (lanes.size() == maxLanes) break;
        if (std::find(lanes.begin(), lanes.end(), annotation.row) == lanes.end())
            lanes.push_back(annotation.row);
    }
    return lanes;
}

std::vector<BandBox> bandBoxes(const display::PlotMapping &mapping,
                               std::span<const decode::Annotation> annotations,
                               const std::vector<std::string> &lanes) {
    std::vector<BandBox> boxes;
    if (mapping.samplesPerUnit <= 0) return boxes;
    const auto width = static_cast<std::int32_t>(mapping.plotWidth);
    for (std::size_t i = 0; i < annotations.size(); ++i) {
        const auto lane = std::find(lanes.begin(), lanes.end(), annotations[i].row);
        if (lane == lanes.end()) continue;
        const std::int32_t left = xOf(mapping, annotations[i].startSample);
        const std::int32_t right = xOf(mapping, annotations[i].endSample);
        if (right < 0 || left >= width) continue;
        boxes.push_back(
            {std::size_t(lane - lanes.begin()), std::max(left, 0), std::min(right, width), i});
    }
    return boxes;
}

std::string bandText(const decode::Annotation &annotation) {
    const std::string &text = annotation.text;
    const bool dataRow = annotation.row.size() >= 4 &&
                         annotation.row.compare(annotation.row.size() - 4, 4, "data") == 0;
    if (!dataRow || !isHexByte(text)) return text;
    const int byte = std::stoi(text, nullptr, 16);
    if (byte < 0x20 || byte > 0x7E) return "0x" + text;
    return "0x" + text + " '" + static_cast<char>(byte) + "'";
}

int scrollForSample(const display::PlotMapping &mapping, std::uint64_t sample, int maximum) {
    if (mapping.samplesPerUnit <= 0) return 0;
    // Sample k sits at x = (k - 1) / spu - 100 h; a quarter of the plot's width before it.
    const double units = double(sample) / mapping.samplesPerUnit - mapping.plotWidth / 4.0;
    const auto divisions = static_cast<int>(std::floor(units / 100.0));
    return std::clamp(divisions, 0, std::max(maximum, 0));
}

}  // namespace kalvira::ui
