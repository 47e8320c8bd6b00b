// system: opening an address at the program's end; the desktop only through
// platform/url_opener.h, the log through files.
#include "runtime/system/open_url.h"

#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/platform/console.h"
#include "runtime/platform/url_opener.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_functions.h"

void openUrlAndEnd(const RtString& address) {
    RuntimeState& rs = runtimeState();
    // The guard keeps terminateProgram below from running the callback again.
    if (rs.quitCallbackDone == 0) {
        rs.quitCallbackDone = 1;
        callByName(RtString("KRV_ON_QUIT"));
    }
    // The address outlives the shut-down even when it lives in runtime state.
    std::string target(address.data, address.length);
    shutDownRuntime();
    if (!platform::openUrl(target)) {
        // Without an opener the program would end as if the address had opened.
        const std::string message = "The address could not be opened: " + target;
        appendErrorLog(message.c_str());
        platform::writeStandardError(message + "\n");
    }
    terminateProgram();
}
