// files: the runtime's log, "ErrorLog.txt" in the temporary folder. One line
// per call, opened and closed each time so that the log survives a crash.
#pragma once

#include <string>  // Required for: std::string

// The log's path: the temporary folder and "ErrorLog.txt".
std::string errorLogPath();
// Where the lines go while the usual file is not the player's own (another
// user's file or link in a shared temporary folder): "ErrorLog.txt" in the
// player's private folder, "<temporary folder>krv-<uid>/".
std::string privateErrorLogPath();

// Appends the message (or "NULL" for none) and CR LF; failures are silent.
// Control bytes in the message (from names in data) are written as \xNN, so
// that one call is one line. The first line that goes to the private log
// says on standard error where the log is.
void appendErrorLog(const char* message);

// Removes the last run's log from both places, only where it is the player's own.
void removeErrorLog();
