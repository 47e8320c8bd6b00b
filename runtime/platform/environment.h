// platform: the process environment.
#pragma once

#include <optional>  // Required for: std::optional
#include <string>    // Required for: std::string
#include <vector>    // Required for: std::vector

namespace platform {

// The value of a variable, or nullopt when it is not set.
std::optional<std::string> environmentValue(const std::string& name);

// Sets a variable; an empty value removes it. A name that is empty or holds '='
// cannot be set and is ignored.
void setEnvironmentValue(const std::string& name, const std::string& value);

// Every entry of the environment, "NAME=value", in the environment's own order.
std::vector<std::string> environmentEntries();

}  // namespace platform
