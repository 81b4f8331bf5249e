#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kalvira::decode {

// An option's value as the decoder library types it: whole number, real number or text.
using OptionValue = std::variant<long long, double, std::string>;

// One option a decoder describes, with its default and, when it has them, the values it allows.
struct DecoderOption {
    std::string id;    // "baudrate"
    std::string desc;  // "Baud rate"
    OptionValue defaultValue;
    std::vector<OptionValue> values;  // empty: any value of the default's type
};

// A row of annotations the decoder draws, and the annotation classes it holds.
struct AnnotationRow {
    std::string id;    // "rx-data"
    std::string desc;  // "RX"
    std::vector<int> classes;
};

// A decoder of one logic channel, as the library describes it.
struct DecoderInfo {
    std::string id;        // "uart"
    std::string name;      // "UART"
    std::string longName;  // "Universal Asynchronous Receiver/Transmitter"
    std::string desc;
    std::string channel;  // the decoder's channel the record's logic is given as: "rx"
    std::vector<DecoderOption> options;
    std::vector<std::string> classes;  // annotation class names, by class index
    std::vector<AnnotationRow> rows;
};

// A decoder with the options the user set, each of its declared type; the rest keep defaults.
struct DecoderSetup {
    std::string id;
    std::vector<std::pair<std::string, OptionValue>> options;
    bool operator==(const DecoderSetup &) const = default;
};

// One annotation of a decode, in samples of the record (0 the first).
struct Annotation {
    std::uint64_t startSample = 0;
    std::uint64_t endSample = 0;
    std::string row;       // the row's id, or the class name for a class in no row
    std::string text;      // the decoder's longest text
    bool problem = false;  // a warning or an error of the decoder: another colour
    bool operator==(const Annotation &) const = default;
};

}  // namespace kalvira::decode
