// system: the table of bound libraries. Libraries are opened through
// platform/library.h; failures are told only to an attached debugger.
#include "runtime/system/dll_binding.h"

#include <cstring>  // Required for: std::strcmp
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

#include "runtime/core/string_functions.h"
#include "runtime/platform/library.h"
#include "runtime/system/debug_output.h"

namespace {

struct BoundLibrary {
    RtString name;
    platform::SharedLibrary library;
};

// The process-wide table; the process exit frees the libraries in binding order.
class BoundLibraries {
public:
    ~BoundLibraries() {
        for (BoundLibrary& entry : entries) entry.library = platform::SharedLibrary();
    }
    std::vector<BoundLibrary> entries;
};

BoundLibraries& table() {
    static BoundLibraries libraries;
    return libraries;
}

BoundLibrary* findBound(const RtString& lowerName) {
    for (BoundLibrary& entry : table().entries) {
        const RtString stored = toLowerCopy(entry.name);
        if (stored.length == lowerName.length && std::strcmp(stored.data, lowerName.data) == 0) return &entry;
    }
    return nullptr;
}

}  // namespace

void bindDllFunction(const RtString& dllName, const RtString& functionName, void*& out) {
    out = nullptr;
    const RtString lowerName = toLowerCopy(dllName);
    BoundLibrary* bound = findBound(lowerName);
    if (!bound) {
        platform::SharedLibrary library(dllName.data);
        if (!library.isOpen() && std::string(lowerName.data) != dllName.data) {
            library = platform::SharedLibrary(lowerName.data);
        }
        if (!library.isOpen()) {
            RtString message("DECLARE module not found: ");
            message += dllName;
            message += "\n";
            debugPrint(message);
            return;
        }
        table().entries.push_back({dllName, std::move(library)});
        bound = &table().entries.back();
    }
    out = bound->library.symbol(functionName.data);
}

int32_t boundDllCount() { return static_cast<int32_t>(table().entries.size()); }

RtString boundDllName(int32_t index) {
    if (index < 0 || index >= boundDllCount()) return RtString();
    return table().entries[static_cast<std::size_t>(index)].name;
}
