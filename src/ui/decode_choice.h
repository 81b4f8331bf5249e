#pragma once

#include <string>

#include "logic/logic_conversion.h"

namespace kalvira::ui {

// What the window decodes the record on screen with, as the user chose it and the window
// remembers it: the decoder and its options as a request ("uart:baudrate=2400"), checked against
// the installed decoders when it is used, and how the record becomes logic.
struct DecodeChoice {
    bool on = false;
    std::string request = "uart:baudrate=9600";
    logic::ThresholdChoice threshold;
    bool operator==(const DecodeChoice &) const = default;
};

// The choice remembered, or the default one.
DecodeChoice rememberedDecodeChoice();
void rememberDecodeChoice(const DecodeChoice &choice);

}  // namespace kalvira::ui
