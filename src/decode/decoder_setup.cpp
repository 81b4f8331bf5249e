#include "decoder_setup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace kalvira::decode {

namespace {

template <typename Items, typename Name>
std::string joined(const Items &items, Name name) {
    std::string text;
    for (const auto &item : items) {
        if (!text.empty()) text += ", ";
        text += name(item);
    }
    return text;
}

// A whole text read as a number of type T, none when anything is left over.
template <typename T>
std::optional<T> wholeText(const std::string &text) {
    T value{};
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// The text read as the type of the option's default.
std::optional<OptionValue> readValue(const DecoderOption &option, const std::string &text) {
    if (std::holds_alternative<std::string>(option.defaultValue)) return OptionValue(text);
    if (std::holds_alternative<long long>(option.defaultValue)) {
        if (const auto value = wholeText<long long>(text)) return OptionValue(*value);
        return std::nullopt;
    }
    const auto value = wholeText<double>(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return OptionValue(*value);
}

std::string kindOf(const OptionValue &value) {
    if (std::holds_alternative<long long>(value)) return "a whole number";
    if (std::holds_alternative<double>(value)) return "a number";
    return "a text";
}

// The option's value from its text, or why not.
std::variant<OptionValue, std::string> checkedValue(const DecoderInfo &decoder,
                                                    const DecoderOption &option,
                                                    const std::string &text) {
    const auto value = readValue(option, text);
    const auto allowed = [&](const OptionValue &v) { return optionText(v) == optionText(*value); };
    if (value && (option.values.empty() ||
                  std::any_of(option.values.begin(), option.values.end(), allowed))) {
        return *value;
    }
    if (!option.values.empty()) {
        return decoder.id + ": " + option.id +
               " must be one of: " + joined(option.values, optionText);
    }
    return decoder.id + ": " + option.id + " must be " + kindOf(option.defaultValue);
}

}  // namespace

std::variant<DecodeRequest, std::string> parseDecodeRequest(std::string_view text) {
    DecodeRequest request;
    const auto colon = text.find(':');
    request.id = std::string(text.substr(0, colon));
    if (request.id.empty()) return std::string("no decoder named before the options");
    if (colon == std::string_view::npos) return request;
    std::string_view rest = text.substr(colon + 1);
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        const auto equals = item.find('=');
        if (equals == std::string_view::npos || equals == 0)
            return "option '" + std::string(item) + "' is not NAME=VALUE";
        std::string name(item.substr(0, equals));
        const auto same = [&](const auto &option) { return option.first == name; };
        if (std::any_of(request.options.begin(), request.options.end(), same))
            return "option " + name + " given twice";
        request.options.emplace_back(std::move(name), std::string(item.substr(equals + 1)));
        if (comma == std::string_view::npos) break;
        rest = rest.substr(comma + 1);
        if (rest.empty()) return std::string("an option is missing after the last comma");
    }
    return request;
}

std::variant<DecoderSetup, std::string> checkDecodeRequest(const DecodeRequest &request,
                                                           std::span<const DecoderInfo> known) {
    const auto decoder = std::find_if(known.begin(), known.end(),
                                      [&](const DecoderInfo &d) { return d.id == request.id; });
    if (decoder == known.end()) {
        return "unknown decoder " + request.id + "; the decoders of one channel are: " +
               joined(known, [](const DecoderInfo &d) { return d.id; });
    }
    DecoderSetup setup{decoder->id, {}};
    for (const auto &[name, text] : request.options) {
        const auto option = std::find_if(decoder->options.begin(), decoder->options.end(),
                                         [&](const DecoderOption &o) { return o.id == name; });
        if (option == decoder->options.end()) {
            return decoder->id + ": unknown option " + name + "; its options are: " +
                   joined(decoder->options, [](const DecoderOption &o) { return o.id; });
        }
        auto value = checkedValue(*decoder, *option, text);
        if (const auto *error = std::get_if<std::string>(&value)) return *error;
        setup.options.emplace_back(name, std::get<OptionValue>(std::move(value)));
    }
    return setup;
}

std::string optionText(const OptionValue &value) {
    if (const auto *whole = std::get_if<long long>(&value)) return std::to_string(*whole);
    if (const auto *text = std::get_if<std::string>(&value)) return *text;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::get<double>(value);
    return out.str();
}

std::string setupText(const DecoderSetup &setup) {
    std::string text = setup.id;
    for (std::size_t i = 0; i < setup.options.size(); ++i) {
        text += (i == 0 ? ':' : ',') + setup.options[i].first + '=' +
                optionText(setup.options[i].second);
    }
    return text;
}

}  // namespace kalvira::decode
