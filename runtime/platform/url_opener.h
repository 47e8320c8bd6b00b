// platform: handing an address to the desktop, which opens it with the
// user's chosen program. Replaceable so that a test opens nothing.
#pragma once

#include <functional>  // Required for: std::function
#include <string>      // Required for: std::string

namespace platform {

// Starts the desktop's opener on `address` without waiting for it. False when
// the opener could not be started.
bool openUrl(const std::string& address);

// Test seam: the hook runs instead of the opener; an empty function restores it.
void setUrlOpenHook(std::function<bool(const std::string&)> hook);

}  // namespace platform
