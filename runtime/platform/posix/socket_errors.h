// platform/posix: the system's errno values as the socket error numbers that
// the language's programs see, and back.
#pragma once

namespace platform {

// The program-visible number of an errno value; unknown values pass through.
int socketErrorFromErrno(int errnoValue);
// The errno value behind a program-visible number; 0 when there is none.
int errnoFromSocketError(int error);

}  // namespace platform
