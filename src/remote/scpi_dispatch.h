#pragma once

#include "instrument.h"
#include "scpi_parser.h"

namespace kalvira::remote {

// Runs one parsed unit on the instrument: finds its command (-113 when there is none, or when the
// unit asks for a form the command has not), checks its parameter count (-109, -108), and calls
// the handler. Errors are the caller's to queue.
CommandResult runUnit(const ProgramUnit &unit, Instrument &instrument);

}  // namespace kalvira::remote
