// Reads one line per argument with readStdinLine and exits 0 when each line's
// bytes, in lower-case hex, equal that argument; else 1.
#include <cstdio>
#include <string>

#include "runtime/system/system_commands.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        RtString line = readStdinLine();
        std::string hex;
        for (uint32_t b = 0; b < line.length; ++b) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(line.data[b]));
            hex += digits;
        }
        if (hex != argv[i]) {
            std::fprintf(stderr, "line %d: %s\n", i, hex.c_str());
            return 1;
        }
    }
    return 0;
}
