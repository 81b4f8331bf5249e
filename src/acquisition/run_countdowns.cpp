#include "run_countdowns.h"

#include "common/rounding.h"
#include "protocol.h"

namespace kalvira::acquisition {

std::int16_t blockCountdown(float seconds) {
    const float tenths = seconds * 10.0f + static_cast<float>(kLinkAllowanceTenths);
    return static_cast<std::int16_t>(roundHalfEven(tenths));
}

std::int16_t firstBlockCountdown(int rateCode, std::int16_t hundreds) {
    const float duration = static_cast<float>(samplePeriod(rateCode) * hundreds * 100);
    return blockCountdown(duration);
}

std::int16_t laterBlockCountdown() {
    return blockCountdown(60.0f);
}

}  // namespace kalvira::acquisition
