// platform/posix: opening an address through xdg-open, started directly.
#include "runtime/platform/url_opener.h"

#include <utility>  // Required for: std::move

#include "runtime/platform/process.h"

namespace platform {
namespace {

std::function<bool(const std::string&)>& openHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

}  // namespace

bool openUrl(const std::string& address) {
    if (openHook()) return openHook()(address);
    return startProcess({"xdg-open", address}, WaitMode::noWait).started;
}

void setUrlOpenHook(std::function<bool(const std::string&)> hook) { openHook() = std::move(hook); }

}  // namespace platform
