#pragma once

#include <QPointer>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decode/decoder_info.h"
#include "decode_choice.h"

namespace kalvira::ui {

class AnnotationBand;
class AnnotationTableWindow;
class DecodeDialog;

// What the window keeps of the decode of the record on screen (form1_decode.cpp).
struct Form1Decoding {
    DecodeChoice choice;
    std::optional<decode::DecoderSetup> setup;  // the choice's request, checked when first used
    std::uint64_t generation = 0;               // counts the choices made
    AnnotationBand *band = nullptr;
    AnnotationTableWindow *table = nullptr;  // created on first use
    QPointer<DecodeDialog> dialog;
    // What the annotations were taken of: the record's number, rate, length and the choice.
    std::optional<std::array<std::int64_t, 4>> decoded;
    bool due = false;  // a decode is posted
    std::vector<decode::Annotation> annotations;
    int samplesPerSecond = 0;
    QString problem;      // why the last decode failed, empty when it did not
    QString toldProblem;  // the last failure told in a notice, told once
};

}  // namespace kalvira::ui
