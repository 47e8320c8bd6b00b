// A library for the DECLARE tests: two exported functions whose names differ
// only in case, and a note of its unloading appended to the file named by
// KRV_UNLOAD_LOG, so a test can see the order in which libraries are freed.
#include <cstdio>
#include <cstdlib>

extern "C" int krvAdd(int a, int b) { return a + b; }
extern "C" int KRVADD(int a, int b) { return a - b; }

namespace {

struct UnloadNote {
    ~UnloadNote() {
        const char* log = std::getenv("KRV_UNLOAD_LOG");
        if (!log) return;
        if (std::FILE* file = std::fopen(log, "a")) {
            std::fputs(KRV_LIBRARY_NAME "\n", file);
            std::fclose(file);
        }
    }
} note;

}  // namespace
