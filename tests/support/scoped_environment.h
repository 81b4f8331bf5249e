#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace kalvira::testing {

// Sets an environment variable while it lives, then puts back what was there before, also when
// the test that set it fails or stops midway.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string &value) : name_(std::move(name)) {
        if (const char *before = std::getenv(name_.c_str())) previous_ = before;
        ::setenv(name_.c_str(), value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) ::setenv(name_.c_str(), previous_->c_str(), 1);
        if (!previous_) ::unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace kalvira::testing
