// platform/posix: getenv, setenv, unsetenv and the environ array.
#include "runtime/platform/environment.h"

#include <cstdlib>  // Required for: getenv, setenv, unsetenv

#include <unistd.h>  // Required for: environ

namespace platform {

std::optional<std::string> environmentValue(const std::string& name) {
    if (name.empty() || name.find('=') != std::string::npos) return std::nullopt;
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

void setEnvironmentValue(const std::string& name, const std::string& value) {
    if (name.empty() || name.find('=') != std::string::npos) return;
    if (value.empty()) {
        unsetenv(name.c_str());
    } else {
        setenv(name.c_str(), value.c_str(), 1);
    }
}

std::vector<std::string> environmentEntries() {
    std::vector<std::string> entries;
    for (char** entry = environ; entry && *entry; ++entry) entries.emplace_back(*entry);
    return entries;
}

}  // namespace platform
