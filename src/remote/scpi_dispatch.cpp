#include "scpi_dispatch.h"

#include <string_view>

namespace kalvira::remote {

namespace {

const std::vector<ScpiCommand> &allCommands() {
    static const std::vector<ScpiCommand> commands = [] {
        std::vector<ScpiCommand> all;
        for (const auto &group :
             {commonCommands(), acquisitionCommands(), dataCommands(), measureCommands()})
            all.insert(all.end(), group.begin(), group.end());
        return all;
    }();
    return commands;
}

bool matches(const ScpiCommand &command, const ProgramUnit &unit) {
    std::string_view header = command.header;
    if (unit.common) return matchesNode(unit.path.front(), header);
    std::size_t node = 0;
    while (!header.empty()) {
        const std::size_t colon = header.find(':');
        if (node >= unit.path.size() || !matchesNode(unit.path[node], header.substr(0, colon)))
            return false;
        ++node;
        header = colon == std::string_view::npos ? std::string_view() : header.substr(colon + 1);
    }
    return node == unit.path.size();
}

}  // namespace

CommandResult runUnit(const ProgramUnit &unit, Instrument &instrument) {
    if (unit.error) return failure(*unit.error);
    for (const ScpiCommand &command : allCommands()) {
        if (!matches(command, unit)) continue;
        if (unit.query) {
            if (!command.query) return failure(ScpiError::UndefinedHeader, "no query form");
            if (!unit.parameters.empty()) return failure(ScpiError::ParameterNotAllowed);
            return command.query(instrument);
        }
        if (!command.set) return failure(ScpiError::UndefinedHeader, "query only");
        const auto given = static_cast<int>(unit.parameters.size());
        if (given < command.setParameters) return failure(ScpiError::MissingParameter);
        if (given > command.setParameters) return failure(ScpiError::ParameterNotAllowed);
        return command.set(instrument, unit.parameters);
    }
    return failure(ScpiError::UndefinedHeader);
}

}  // namespace kalvira::remote
