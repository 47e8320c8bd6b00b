// Prints a line and a piece of one with printStdout, then dies by SIGKILL,
// so that nothing the C library still holds gets written at exit.
#include <csignal>

#include "runtime/system/system_commands.h"

int main() {
    printStdout(RtString("first line\n"));
    printStdout(RtString("no end"));
    std::raise(SIGKILL);
    return 0;
}
