// app: the test program's end after a toolkit exception, through the
// runtime's log, standard error and error slot.
#include "app/toolkit_failure.h"

#include "runtime/core/error_slot.h"
#include "runtime/core/string_operators.h"
#include "runtime/files/error_log.h"
#include "runtime/system/system_commands.h"

void endOnToolkitException(const lmt::Exception& e, const char* file) {
    const RtString line = RtString("lmt::Exception: ") + e.getMessage() + RtString(" (") + e.getFilename() +
                          RtString(":") + RtString(e.getLine()) + RtString(")");
    appendErrorLog(line.data);
    printStderr(line + RtString("\n"));
    fatalFileError(kErrorNoSuchFile, file);
}
