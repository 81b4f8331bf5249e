#include "unit_options.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

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
    return std::nullopt;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string_view> &arguments) {
    CommandLine line;
    UnitOptions &options = line.options;
    auto fail = [&line](std::string why) {
        line.error = std::move(why);
        return line;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string_view> inlineValue;
        if (const auto eq = name.find('=');
            name.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        auto value = [&]() -> std::optional<std::string_view> {
            if (inlineValue) return inlineValue;
            if (i + 1 < arguments.size()) return arguments[++i];
            return std::nullopt;
        };
        auto takesNoValue = [&] { return !inlineValue.has_value(); };

        if (name == "--help" || name == "-h") {
            line.help = true;
            return line;
        }
        if (name == "--fast" || name == "--no-wait" || name == "--no-pacing") {
            if (!takesNoValue()) return fail(std::string(name) + " takes no value");
            if (name != "--no-pacing") options.waitForRecord = false;
            if (name != "--no-wait") options.paced = false;
            continue;
        }

        const auto text = value();
        if (!text) return fail(std::string(name) + " needs a value");
        if (name == "--link") {
            if (text->empty()) return fail("--link needs a path");
            options.linkPath = *text;
        } else if (name == "--log") {
            if (text->empty()) return fail("--log needs a path");
            options.logPath = *text;
        } else if (name == "--wave") {
            const auto shape = waveform(*text);
            if (!shape) return fail("--wave must be sine, square, triangle or noise");
            options.signal.waveform = *shape;
        } else if (name == "--amplitude" || name == "--offset" || name == "--noise") {
            const auto number = decimal(*text);
            if (!number || *number < 0.0 || *number > 1023.0) {
                return fail(std::string(name) + " must be a number in 0..1023");
            }
            (name == "--amplitude" ? options.signal.amplitude
             : name == "--offset"  ? options.signal.offset
                                   : options.signal.noise) = *number;
        } else if (name == "--frequency") {
            const auto number = decimal(*text);
            if (!number || *number <= 0.0 || *number > 1e6) {
                return fail("--frequency must be a number of Hz above 0, at most 1000000");
            }
            options.signal.frequency = *number;
        } else if (name == "--seed") {
            const auto number = integer<std::uint64_t>(*text);
            if (!number) return fail("--seed must be a whole number 0 or more");
            options.signal.seed = *number;
        } else if (name == "--ack-timeout") {
            const auto number = integer<int>(*text);
            if (!number || *number < 1 || *number > 600000) {
                return fail("--ack-timeout must be 1..600000 milliseconds");
            }
            options.ackTimeout = std::chrono::milliseconds(*number);
        } else if (name == "--usb-latency") {
            const auto number = integer<int>(*text);
            if (!number || *number < 1 || *number > 255) {
                return fail("--usb-latency must be 1..255 milliseconds");
            }
            options.usbLatency = std::chrono::milliseconds(*number);
        } else if (name == "--copies") {
            const auto number = integer<int>(*text);
            if (!number || *number < 1 || *number > 1000) return fail("--copies must be 1..1000");
            options.maxCopies = *number;
        } else if (name == "--fault") {
            auto parsed = parseFault(*text);
            if (!parsed.fault) return fail(parsed.error);
            options.faults.push_back(*parsed.fault);
        } else {
            return fail("unknown option " + std::string(name));
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
  --wave SHAPE         sine (default), square, triangle or noise
  --amplitude A        peak deviation from the offset, sample units (default 300)
  --offset O           level the signal swings around, 0..1023 (default 512)
  --frequency HZ       signal frequency (default 50)
  --noise A            peak of uniform noise added to the signal (default 0)
  --seed N             noise sequence (default 1)
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
