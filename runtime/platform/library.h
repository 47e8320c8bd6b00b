// platform: shared libraries loaded at run time, one owning handle each.
#pragma once

#include <string>  // Required for: std::string

namespace platform {

class SharedLibrary {
public:
    SharedLibrary() = default;
    // Loads the library by the name as given (the loader's own search rules).
    explicit SharedLibrary(const std::string& name);
    ~SharedLibrary();

    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool isOpen() const { return handle != nullptr; }
    // The address of an exported symbol, looked up exactly as named; null when
    // the library does not export it or is not open.
    void* symbol(const std::string& name) const;

private:
    void* handle = nullptr;
};

}  // namespace platform
