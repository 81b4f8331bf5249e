#include "unit_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

namespace kalvira::unit {

namespace {

std::optional<double> decimal(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const std::string copy(text);
    char *end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

template <typename Integer>
std::optional<Integer> integer(std::string_view text) {
    Integer value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<Waveform> waveform(std::string_view text) {
    if (text == "sine") return Waveform::Sine;
    if (text == "square") return Waveform::Square;
    if (text == "triangle") return Waveform::Triangle;
    if (text == "noise") return Waveform::Noise;
    if (text == "uart") return Waveform::Uart;
    if (text == "ir-nec") return Waveform::IrNec;
    if (text == "pwm") return Waveform::Pwm;
    return std::nullopt;
}

// What is wrong with an option's value; none when the value was taken.
using Problem = std::optional<std::string>;

Problem readLink(std::string_view, std::string_view text, UnitOptions &options) {
    if (text.empty()) return "--link needs a path";
    options.linkPath = text;
    return {};
}

Problem readLog(std::string_view, std::string_view text, UnitOptions &options) {
    if (text.empty()) return "--log needs a path";
    options.logPath = text;
    return {};
}

Problem readWave(std::string_view, std::string_view text, UnitOptions &options) {
    const auto shape = waveform(text);
    if (!shape) return "--wave must be sine, square, triangle, noise, uart, ir-nec or pwm";
    options.signal.waveform = *shape;
    return {};
}

// --amplitude, --offset and --noise: a level in sample units.
template <double SignalOptions::*level>
Problem readLevel(std::string_view name, std::string_view text, UnitOptions &options) {
    const auto number = decimal(text);
    if (!number || *number < 0.0 || *number > 1023.0) {
        return std::string(name) + " must be a number in 0..1023";
    }
    options.signal.*level = *number;
    return {};
}

Problem readFrequency(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = decimal(text);
    if (!number || *number <= 0.0 || *number > 1e6) {
        return "--frequency must be a number of Hz above 0, at most 1000000";
    }
    options.signal.frequency = *number;
    return {};
}

Problem readText(std::string_view, std::string_view text, UnitOptions &options) {
    if (text.empty()) return "--text needs at least one character";
    options.signal.text = text;
    return {};
}

Problem readBaud(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = decimal(text);
    if (!number || *number < 10.0 || *number > 1e6)
        return "--baud must be 10..1000000 bits a second";
    options.signal.baud = *number;
    return {};
}

// "0xAD:0xCD": a byte in hexadecimal, 0x and all.
std::optional<std::uint8_t> hexByte(std::string_view text) {
    if (!text.starts_with("0x") && !text.starts_with("0X")) return std::nullopt;
    text.remove_prefix(2);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value > 0xFF)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

Problem readCode(std::string_view, std::string_view text, UnitOptions &options) {
    const auto colon = text.find(':');
    const auto address = hexByte(text.substr(0, colon));
    const auto command =
        colon == std::string_view::npos ? std::nullopt : hexByte(text.substr(colon + 1));
    if (!address || !command) return "--code must be 0xADDRESS:0xCOMMAND, two bytes in hexadecimal";
    options.signal.irAddress = *address;
    options.signal.irCommand = *command;
    return {};
}

Problem readDuty(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = decimal(text);
    if (!number || *number < 0.0 || *number > 100.0) return "--duty must be a number in 0..100";
    options.signal.dutyPercent = *number;
    return {};
}

Problem readSeed(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = integer<std::uint64_t>(text);
    if (!number) return "--seed must be a whole number 0 or more";
    options.signal.seed = *number;
    return {};
}

Problem readGlitchEvery(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = integer<int>(text);
    if (!number || *number < 1 || *number > 1'000'000) return "--glitch-every must be 1..1000000";
    options.signal.glitchEvery = *number;
    return {};
}

Problem readAckTimeout(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = integer<int>(text);
    if (!number || *number < 1 || *number > 600000) {
        return "--ack-timeout must be 1..600000 milliseconds";
    }
    options.ackTimeout = std::chrono::milliseconds(*number);
    return {};
}

Problem readUsbLatency(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = integer<int>(text);
    if (!number || *number < 1 || *number > 255) return "--usb-latency must be 1..255 milliseconds";
    options.usbLatency = std::chrono::milliseconds(*number);
    return {};
}

Problem readCopies(std::string_view, std::string_view text, UnitOptions &options) {
    const auto number = integer<int>(text);
    if (!number || *number < 1 || *number > 1000) return "--copies must be 1..1000";
    options.maxCopies = *number;
    return {};
}

Problem readFault(std::string_view, std::string_view text, UnitOptions &options) {
    auto parsed = parseFault(text);
    if (!parsed.fault) return parsed.error;
    options.faults.push_back(*parsed.fault);
    return {};
}

// An option that takes a value, and what reads it into the options.
struct ValueOption {
    std::string_view name;
    Problem (*read)(std::string_view name, std::string_view text, UnitOptions &options);
};

constexpr std::array<ValueOption, 17> kValueOptions{{
    {"--link", readLink},
    {"--log", readLog},
    {"--wave", readWave},
    {"--amplitude", readLevel<&SignalOptions::amplitude>},
    {"--offset", readLevel<&SignalOptions::offset>},
    {"--noise", readLevel<&SignalOptions::noise>},
    {"--frequency", readFrequency},
    {"--seed", readSeed},
    {"--glitch-every", readGlitchEvery},
    {"--text", readText},
    {"--baud", readBaud},
    {"--code", readCode},
    {"--duty", readDuty},
    {"--ack-timeout", readAckTimeout},
    {"--usb-latency", readUsbLatency},
    {"--copies", readCopies},
    {"--fault", readFault},
}};

// An option without a value: what of the real unit's timing it leaves out.
struct TimingSwitch {
    std::string_view name;
    bool noWait;    // block 1 at once, not after the record's duration
    bool noPacing;  // bytes as fast as the terminal takes them
};

constexpr std::array<TimingSwitch, 3> kTimingSwitches{{
    {"--fast", true, true},
    {"--no-wait", true, false},
    {"--no-pacing", false, true},
}};

template <typename Option, std::size_t N>
const Option *named(const std::array<Option, N> &options, std::string_view name) {
    const auto found = std::find_if(options.begin(), options.end(),
                                    [name](const Option &option) { return option.name == name; });
    return found == options.end() ? nullptr : &*found;
}

// "--name=value" taken apart; any other argument is a name alone.
std::pair<std::string_view, std::optional<std::string_view>> splitArgument(
    std::string_view argument) {
    const auto eq = argument.find('=');
    if (!argument.starts_with("--") || eq == std::string_view::npos) return {argument, {}};
    return {argument.substr(0, eq), argument.substr(eq + 1)};
}

CommandLine failed(CommandLine line, std::string why) {
    line.error = std::move(why);
    return line;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string_view> &arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        auto [name, value] = splitArgument(arguments[i]);
        if (name == "--help" || name == "-h") {
            line.help = true;
            return line;
        }
        if (const TimingSwitch *timing = named(kTimingSwitches, name)) {
            if (value) return failed(std::move(line), std::string(name) + " takes no value");
            if (timing->noWait) line.options.waitForRecord = false;
            if (timing->noPacing) line.options.paced = false;
            continue;
        }
        if (!value && i + 1 < arguments.size()) value = arguments[++i];
        if (!value) return failed(std::move(line), std::string(name) + " needs a value");
        const ValueOption *option = named(kValueOptions, name);
        if (!option) return failed(std::move(line), "unknown option " + std::string(name));
        if (auto problem = option->read(name, *value, line.options)) {
            return failed(std::move(line), std::move(*problem));
        }
    }
    return line;
}

std::string usageText() {
    return R"(Usage: kalvira-unit [options]
The virtual KALVIRA acquisition unit on a pseudo-terminal. Prints the device path on the first
line of stdout, then serves command frames until SIGTERM or SIGINT.

  --link PATH          make a symlink PATH to the device (removed on exit)
  --log PATH           log every byte received and sent, one event a line
  --wave SHAPE         sine (default), square, triangle, noise, or a two-level line between
                       offset - amplitude and offset + amplitude: uart, ir-nec or pwm
  --amplitude A        peak deviation from the offset, sample units (default 300)
  --offset O           level the signal swings around, 0..1023 (default 512)
  --frequency HZ       signal frequency (default 50)
  --noise A            peak of uniform noise added to the signal (default 0)
  --seed N             noise sequence (default 1)
  --glitch-every K     throw 3 samples in the middle of every K-th record to the far end of the
                       range (0 from 512 and above, 1023 below): a short spike
  --text TEXT          uart: the bytes sent over and over as 8N1 frames, 20 idle bits before
                       (default KALVIRA)
  --baud B             uart: bits a second (default 2400)
  --code 0xAD:0xCM     ir-nec: the address and command sent every 108 ms (default 0x00:0x00)
  --duty D             pwm: percent of each period high, 0..100, at --frequency (default 50)
  --fast               send block 1 at once and bytes as fast as the terminal takes them
  --no-wait            send block 1 at once, keep the 115200 baud pacing
  --no-pacing          wait the record's duration, then send unpaced
  --ack-timeout MS     send a block again when its 0x55 has not come after MS (default 1000)
  --copies N           copies of one block before giving up the record (default 3)
  --usb-latency MS     play a USB adapter's latency timer: hold bytes for the host until 62
                       are waiting or MS (1..255; FTDI's default 16) have passed since the first
                       one held
  --fault FAULT        play a fault; repeatable. FAULT[@A] limits it to the A-th frame answered:
                         no-answer            take the frame, send nothing
                         wrong-start[=XX]     send byte XX (hex, default 55) instead of AA
                         bad-check=B[:K]      first K copies of block B with a wrong check byte
                         short-block=B[:LEN]  first copy of block B stops after LEN bytes (100)
                         stall=B              send nothing after block B is acknowledged
                                              (0: nothing after the start byte)
                         high-byte=B[:K]      first K copies of block B carry a sample with
                                              high byte 0x80 (check byte matching)
  --help               this text
)";
}

}  // namespace kalvira::unit
