#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "acquisition/protocol.h"

namespace kalvira::unit {

// The shapes the virtual unit's input can take: periodic shapes, noise, and two-level lines
// (a serial line, an infrared receiver's output, a PWM output) between offset - amplitude (low)
// and offset + amplitude (high).
enum class Waveform { Sine, Square, Triangle, Noise, Uart, IrNec, Pwm };

// The signal at the unit's input, in sample units (the converter's 0..1023, mid-scale 512).
struct SignalOptions {
    Waveform waveform = Waveform::Sine;
    double amplitude = 300.0;       // peak deviation from the offset
    double offset = 512.0;          // the level the signal swings around
    double frequency = 50.0;        // Hz; the noise waveform ignores it
    double noise = 0.0;             // peak of uniform noise added to any waveform
    std::uint64_t seed = 1;         // the noise sequence; equal seeds give equal records
    int glitchEvery = 0;            // a spike in every K-th acquisition's record; 0 for none
    std::string text = "KALVIRA";   // Uart: the bytes sent over and over, 20 idle bits before
    double baud = 2400.0;           // Uart: bits a second
    std::uint8_t irAddress = 0x00;  // IrNec: the code sent every 108 ms
    std::uint8_t irCommand = 0x00;
    double dutyPercent = 50.0;  // Pwm: share of the period high, 0..100, at the frequency
};

// The spike of --glitch-every: kGlitchSamples samples from the middle of the record (sample
// N / 2 + 1 on) thrown to the far end of the range, 0 from a sample of 512 or more, 1023 from one
// below: at least 511 counts off the signal, wherever it stands.
inline constexpr int kGlitchSamples = 3;

// The samples a record is cut from, converted one by one in time order. Acquisition k (1, 2, ...)
// starts the waveform at (k - 1) * 0.381966... of a cycle, so that records of the external trigger
// modes drift as they would against a free-running signal, and draws its noise from its own
// sequence. Values are rounded to the nearest integer and held within 0..1023.
class SignalSource {
public:
    SignalSource(const SignalOptions &signal, double samplePeriod, int acquisition);

    // The next sample.
    std::uint16_t next();

private:
    double random();  // uniform in -1..1

    double lineLevel(double seconds) const;  // -1 or 1 for the two-level lines

    SignalOptions signal_;
    double samplePeriod_;
    double cyclesPerSample_;
    std::vector<double> stretchEnds_;  // the two-level line's cycle: where each stretch ends, s
    std::vector<bool> stretchHigh_;
    double startCycle_;
    std::uint64_t index_ = 0;
    std::uint64_t noiseState_;
};

// A record as the unit takes it for one command frame.
struct Record {
    std::vector<std::uint16_t> samples;     // recordLength values, 0..1023
    std::int64_t samplesBeforeTrigger = 0;  // converted while waiting for the trigger
};

// Samples searched for the trigger before the unit counts it as never coming.
inline constexpr std::int64_t kTriggerSearchLimit = 1'000'000;

// The record the unit sends for a frame in its acquisition number (1 for the first frame it
// answered). With external trigger (modes 0 and 1) the record starts at the first sample. With
// internal trigger (modes 2 and 3) it starts at the first sample s[i] that crosses level * 4 on
// the frame's edge: s[i-1] < L <= s[i] rising, s[i-1] > L >= s[i] falling. nullopt when the
// signal does not cross within kTriggerSearchLimit samples; the unit then sends no block. With
// glitchEvery K, acquisitions K, 2K, ... carry the spike.
std::optional<Record> generateRecord(const SignalOptions &signal,
                                     const acquisition::FrameSettings &frame, int acquisition);

}  // namespace kalvira::unit
