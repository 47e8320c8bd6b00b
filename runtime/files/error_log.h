// files: the runtime's log, "ErrorLog.txt" in the temporary folder. One line
// per call, opened and closed each time so that the log survives a crash.
#pragma once

#include <string>  // Required for: std::string

// The log's path: the temporary folder and "ErrorLog.txt".
std::string errorLogPath();

// Appends the message (or "NULL" for none) and CR LF; failures are silent.
void appendErrorLog(const char* message);
