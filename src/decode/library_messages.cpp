#include "library_messages.h"

#include <libsigrokdecode/libsigrokdecode.h>

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace kalvira::decode {

namespace {

std::string &kept() {
    static std::string messages;
    return messages;
}

int keepMessage(void *, int level, const char *format, va_list args) {
    if (level > SRD_LOG_ERR) return SRD_OK;
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) return SRD_OK;
    std::vector<char> text(std::size_t(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    // Long Python tracebacks: the last lines say what went wrong.
    if (kept().size() > 4000) kept().erase(0, kept().size() - 2000);
    if (!kept().empty()) kept() += '\n';
    kept() += text.data();
    return SRD_OK;
}

}  // namespace

void catchLibraryMessages() {
    srd_log_callback_set(keepMessage, nullptr);
    srd_log_loglevel_set(SRD_LOG_ERR);
}

std::string takeLibraryMessages() {
    std::string messages;
    messages.swap(kept());
    return messages;
}

std::string libraryFailure(const std::string &what, int errorCode) {
    const char *name = srd_strerror(errorCode);
    std::string text = what + ": " + (name ? name : "error");
    std::string messages = takeLibraryMessages();
    while (!messages.empty() && std::isspace(static_cast<unsigned char>(messages.back())))
        messages.pop_back();
    if (!messages.empty()) {
        const auto lastLine = messages.rfind('\n');
        text += " (" + messages.substr(lastLine == std::string::npos ? 0 : lastLine + 1) + ")";
    }
    return text;
}

}  // namespace kalvira::decode
