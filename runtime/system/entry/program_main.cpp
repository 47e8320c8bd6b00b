// system: the process entry of a program of the language. Builds the command
// line the program reads and hands over to WinMain.
#include <string>  // Required for: std::string

#include "runtime/system/program_entry.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (i > 0) commandLine += ' ';
        bool quote = arg.empty() || arg.find_first_of(" \t") != std::string::npos;
        commandLine += quote ? "\"" + arg + "\"" : arg;
    }
    return WinMain(nullptr, nullptr, commandLine.c_str(), 1);
}
