// app: the process entry hands over to the runtime's program entry.
#include <string>

#include "runtime/system/program_entry.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 0; i < argc; ++i) {
        if (i > 0) commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(nullptr, nullptr, commandLine.c_str(), 1);
}
