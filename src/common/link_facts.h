#pragma once

#include <array>
#include <string_view>

// Facts of the link to the acquisition unit and of the records it sends. The program, the
// virtual unit, the tools and the tests read them from here.
namespace kalvira {

// A record travels in blocks of 100 samples, at most 160 of them.
inline constexpr int kSamplesPerBlock = 100;
inline constexpr int kMaxBlocks = 160;
inline constexpr int kMaxRecordLength = kMaxBlocks * kSamplesPerBlock;  // 16000 samples
// A length the unit can deliver: 100..16000 samples in steps of 100.
constexpr bool isRecordLength(long long samples) {
    return samples >= kSamplesPerBlock && samples <= kMaxRecordLength &&
           samples % kSamplesPerBlock == 0;
}
// Highest position of a record store: a record of N samples occupies positions 1..N, and the
// store keeps two positions beyond the longest record.
inline constexpr int kRecordLastPosition = kMaxRecordLength + 2;

// Sample units per step of the trigger level bar (1..254): the unit compares samples 0..1023
// against level x 4.
inline constexpr int kTriggerLevelStep = 4;

// One sample rate of the unit, by its code 0..7 in command frames and in the window's options.
struct SampleRateFacts {
    int samplesPerSecond;
    double period;             // seconds between two samples
    std::string_view caption;  // the option's caption in the window
};
inline constexpr std::array<SampleRateFacts, 8> kSampleRates{{
    {40000, 0.000025, "25usec/ 40kSPS"},
    {20000, 0.00005, "50usec/ 20kSPS"},
    {10000, 0.0001, "100usec/ 10kSPS"},
    {5000, 0.0002, "200usec/ 5kSPS"},
    {2000, 0.0005, "500usec/ 2kSPS"},
    {1000, 0.001, "1msec/ 1kSPS"},
    {500, 0.002, "2msec/ 500SPS"},
    {200, 0.005, "5msec/ 200SPS"},
}};
// The slowest rate, "5msec/ 200SPS", whose records the two fastest time bases limit.
inline constexpr int kSampleRate200Sps = 7;

}  // namespace kalvira
