// Binds krvAdd from every library named on the command line, in that order,
// then ends normally so that the process exit frees them. Exits 1 when a
// binding fails.
#include "runtime/system/dll_binding.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        void* function = nullptr;
        bindDllFunction(RtString(argv[i]), RtString("krvAdd"), function);
        if (!function) return 1;
    }
    return 0;
}
