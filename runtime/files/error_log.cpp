// files: the error log, written through FileStream; never reads the log.
#include "runtime/files/error_log.h"

#include <cstring>  // Required for: strlen

#include "runtime/files/file_stream.h"
#include "runtime/platform/files.h"

std::string errorLogPath() { return platform::temporaryFolder() + "ErrorLog.txt"; }

void appendErrorLog(const char* message) {
    const char* text = message ? message : "NULL";
    const std::string path = errorLogPath();
    // Another writer may hold the file for a moment: a few quick tries, then the line is dropped.
    for (int attempt = 0; attempt < 5; ++attempt) {
        FileStream log;
        if (!log.openAppend(path.c_str())) continue;
        log.write(text, static_cast<int32_t>(strlen(text)));
        log.write("\r\n", 2);
        return;
    }
}
