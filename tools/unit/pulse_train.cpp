#include "pulse_train.h"

namespace kalvira::unit {

namespace {

constexpr double kNecUnit = 562.5e-6;  // the NEC code's time unit, seconds
constexpr double kNecRepeat = 108e-3;  // from one leader to the next

// Appends a stretch, joined to the last one when it has the same level.
void add(std::vector<Stretch> &train, bool high, double seconds) {
    if (seconds <= 0) return;
    if (!train.empty() && train.back().high == high) {
        train.back().seconds += seconds;
        return;
    }
    train.push_back({high, seconds});
}

}  // namespace

std::vector<Stretch> uartCycle(const std::string &bytes, double baud) {
    const double bit = 1.0 / baud;
    std::vector<Stretch> train;
    add(train, true, 20 * bit);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        add(train, false, bit);
        for (int i = 0; i < 8; ++i) add(train, ((byte >> i) & 1) != 0, bit);
        add(train, true, bit);
    }
    return train;
}

std::vector<Stretch> irNecCycle(std::uint8_t address, std::uint8_t command) {
    std::vector<Stretch> train;
    add(train, false, 16 * kNecUnit);
    add(train, true, 8 * kNecUnit);
    const std::uint8_t fields[] = {address, std::uint8_t(~address), command,
                                   std::uint8_t(~command)};
    double elapsed = 24 * kNecUnit;
    for (const std::uint8_t field : fields) {
        for (int i = 0; i < 8; ++i) {
            const double space = ((field >> i) & 1) != 0 ? 3 * kNecUnit : kNecUnit;
            add(train, false, kNecUnit);
            add(train, true, space);
            elapsed += kNecUnit + space;
        }
    }
    add(train, false, kNecUnit);
    add(train, true, kNecRepeat - elapsed - kNecUnit);
    return train;
}

std::vector<Stretch> pwmCycle(double frequency, double dutyPercent) {
    const double period = 1.0 / frequency;
    std::vector<Stretch> train;
    add(train, true, period * dutyPercent / 100.0);
    add(train, false, period * (100.0 - dutyPercent) / 100.0);
    return train;
}

}  // namespace kalvira::unit
