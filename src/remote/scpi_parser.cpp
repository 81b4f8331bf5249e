#include "scpi_parser.h"

#include <algorithm>
#include <cctype>

namespace kalvira::remote {

namespace {

bool isMnemonicChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

// Splits at separators outside quoted strings; nullopt when a quote is left open.
std::optional<std::vector<std::string_view>> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (quote) return {};
    parts.push_back(text.substr(start));
    return parts;
}

bool printable(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return c >= 0x20 && c < 0x7F; });
}

// The header "[:]NODE[:NODE...][?]" or "*NAME[?]"; false when it is not one.
bool readHeader(std::string_view header, ProgramUnit &unit, bool &absolute) {
    absolute = header.starts_with(':');
    if (header.ends_with('?')) {
        unit.query = true;
        header.remove_suffix(1);
    }
    if (header.starts_with('*')) {
        unit.common = true;
        const std::string_view name = header.substr(1);
        if (name.empty() || !std::all_of(name.begin(), name.end(), isMnemonicChar)) return false;
        unit.path = {upper(header)};
        return true;
    }
    if (absolute) header.remove_prefix(1);
    const auto nodes = split(header, ':');
    if (!nodes) return false;
    for (const std::string_view node : *nodes) {
        if (node.empty() || !std::all_of(node.begin(), node.end(), isMnemonicChar)) return false;
        unit.path.push_back(upper(node));
    }
    return true;
}

ProgramUnit refused(ScpiError error) {
    ProgramUnit unit;
    unit.error = error;
    return unit;
}

ProgramUnit parseUnit(std::string_view text, const std::vector<std::string> &node) {
    ProgramUnit unit;
    const std::size_t space = text.find_first_of(" \t");
    const std::string_view header = text.substr(0, space);
    bool absolute = false;
    // A command without a name.
    if (header == ":" || header == "?" || header == ":?") return refused(ScpiError::CommandError);
    if (!printable(text) || !readHeader(header, unit, absolute))
        return refused(ScpiError::SyntaxError);
    if (!unit.common && !absolute) unit.path.insert(unit.path.begin(), node.begin(), node.end());
    if (space == std::string_view::npos) return unit;
    const std::string_view rest = trimmed(text.substr(space));
    if (rest.empty()) return unit;
    const auto parameters = split(rest, ',');
    if (!parameters) return refused(ScpiError::SyntaxError);
    for (const std::string_view parameter : *parameters) {
        const std::string_view value = trimmed(parameter);
        if (value.empty()) return refused(ScpiError::SyntaxError);
        unit.parameters.emplace_back(value);
    }
    return unit;
}

}  // namespace

std::vector<ProgramUnit> parseProgram(std::string_view line) {
    std::vector<ProgramUnit> units;
    const auto pieces = split(line, ';');
    if (!pieces) {
        ProgramUnit broken;
        broken.error = ScpiError::SyntaxError;
        return {broken};
    }
    std::vector<std::string> node;  // where a relative header starts
    for (const std::string_view piece : *pieces) {
        const std::string_view text = trimmed(piece);
        if (text.empty()) continue;
        ProgramUnit unit = parseUnit(text, node);
        if (!unit.common && !unit.error) node.assign(unit.path.begin(), unit.path.end() - 1);
        units.push_back(std::move(unit));
    }
    return units;
}

bool matchesNode(std::string_view sent, std::string_view node) {
    std::string shortForm;
    for (const char c : node) {
        if (std::isupper(static_cast<unsigned char>(c)) ||
            std::isdigit(static_cast<unsigned char>(c)))
            shortForm += c;
    }
    const std::string whole = upper(node);
    return sent == shortForm || sent == whole;
}

}  // namespace kalvira::remote
