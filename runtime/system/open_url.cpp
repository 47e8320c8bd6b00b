// system: opening an address at the program's end; the desktop only through
// platform/url_opener.h.
#include "runtime/system/open_url.h"

#include "runtime/core/runtime_state.h"
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
    platform::openUrl(target);
    terminateProgram();
}
