#include "faults.h"

#include <charconv>

#include "common/link_facts.h"

namespace kalvira::unit {

namespace {

std::optional<int> number(std::string_view text, int base = 10) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

struct NameInfo {
    std::string_view name;
    FaultKind kind;
    bool needsBlock;
    int defaultCount;
};

constexpr NameInfo kNames[] = {
    {"no-answer", FaultKind::NoAnswer, false, 0},
    {"wrong-start", FaultKind::WrongStart, false, 0x55},
    {"bad-check", FaultKind::BadCheck, true, 1},
    {"short-block", FaultKind::ShortBlock, true, 100},
    {"stall", FaultKind::Stall, true, 0},
    {"high-byte", FaultKind::HighByte, true, 1},
};

ParsedFault failure(std::string_view text, std::string_view why) {
    return {std::nullopt, "bad fault \"" + std::string(text) + "\": " + std::string(why)};
}

}  // namespace

ParsedFault parseFault(std::string_view text) {
    std::string_view rest = text;
    Fault fault;
    if (const auto at = rest.find('@'); at != std::string_view::npos) {
        const auto acquisition = number(rest.substr(at + 1));
        if (!acquisition || *acquisition < 1)
            return failure(text, "acquisition after @ must be 1 or more");
        fault.acquisition = *acquisition;
        rest = rest.substr(0, at);
    }
    std::string_view arguments;
    bool hasArguments = false;
    if (const auto eq = rest.find('='); eq != std::string_view::npos) {
        arguments = rest.substr(eq + 1);
        hasArguments = true;
        rest = rest.substr(0, eq);
    }
    const NameInfo *info = nullptr;
    for (const auto &candidate : kNames) {
        if (candidate.name == rest) info = &candidate;
    }
    if (!info) return failure(text, "unknown name");
    fault.kind = info->kind;
    fault.count = info->defaultCount;

    switch (fault.kind) {
        case FaultKind::NoAnswer:
            if (hasArguments) return failure(text, "takes no value");
            return {fault, {}};
        case FaultKind::WrongStart: {
            if (!hasArguments) return {fault, {}};
            const auto byte = number(arguments, 16);
            if (!byte || *byte > 0xFF || *byte == 0xAA || arguments.size() > 2) {
                return failure(text, "wants a hex byte other than AA");
            }
            fault.count = *byte;
            return {fault, {}};
        }
        default:
            break;
    }

    if (!hasArguments) return failure(text, "wants a block number");
    std::string_view blockText = arguments;
    std::string_view countText;
    if (const auto colon = arguments.find(':'); colon != std::string_view::npos) {
        blockText = arguments.substr(0, colon);
        countText = arguments.substr(colon + 1);
        if (fault.kind == FaultKind::Stall) return failure(text, "takes only a block number");
    }
    const auto block = number(blockText);
    const int lowestBlock = fault.kind == FaultKind::Stall ? 0 : 1;
    if (!block || *block < lowestBlock || *block > kMaxBlocks) {
        return failure(text, "block must be " + std::to_string(lowestBlock) + ".." +
                                 std::to_string(kMaxBlocks));
    }
    fault.block = *block;
    if (!countText.empty()) {
        const auto count = number(countText);
        const int highest = fault.kind == FaultKind::ShortBlock ? 200 : 1000;
        const int lowest = fault.kind == FaultKind::ShortBlock ? 0 : 1;
        if (!count || *count < lowest || *count > highest) {
            return failure(
                text, "count must be " + std::to_string(lowest) + ".." + std::to_string(highest));
        }
        fault.count = *count;
    }
    return {fault, {}};
}

std::vector<Fault> faultsFor(const std::vector<Fault> &faults, int acquisition) {
    std::vector<Fault> applying;
    for (const auto &fault : faults) {
        if (fault.acquisition == 0 || fault.acquisition == acquisition) applying.push_back(fault);
    }
    return applying;
}

}  // namespace kalvira::unit
