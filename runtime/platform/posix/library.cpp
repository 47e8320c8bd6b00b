// platform/posix: shared libraries through dlopen, dlsym and dlclose.
#include "runtime/platform/library.h"

#include <utility>  // Required for: std::exchange

#include <dlfcn.h>  // Required for: dlopen, dlsym, dlclose

namespace platform {

// Symbols are resolved at once, as a library bound by a program is used at once.
SharedLibrary::SharedLibrary(const std::string& name)
    : handle(name.empty() ? nullptr : dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL)) {}

SharedLibrary::~SharedLibrary() {
    if (handle) dlclose(handle);
}

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept : handle(std::exchange(other.handle, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        if (handle) dlclose(handle);
        handle = std::exchange(other.handle, nullptr);
    }
    return *this;
}

void* SharedLibrary::symbol(const std::string& name) const {
    if (!handle) return nullptr;
    return dlsym(handle, name.c_str());
}

}  // namespace platform
