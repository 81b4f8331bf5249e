#pragma once

#include <string>

namespace kalvira::decode {

// The decoder library's own messages (its errors and the Python tracebacks of its decoders),
// kept instead of printed so that a failure reaches the user as one clear message.
void catchLibraryMessages();
// The messages kept since the last call, one a line, and forgets them.
std::string takeLibraryMessages();
// A failure's message: what failed, the library's error name and its last message, if any.
std::string libraryFailure(const std::string &what, int errorCode);

}  // namespace kalvira::decode
