// system: the program end and the shut-down of the runtime. Ends the net
// session, then has the runtime's engines destroyed newest first; ends the
// process through platform/process_exit.h.
#include "runtime/system/program_end.h"

#include <cstdio>  // Required for: std::snprintf, std::fputs

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/file_channels.h"
#include "runtime/net/net_session.h"
#include "runtime/net/runtime_session.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/files.h"
#include "runtime/platform/process_exit.h"
#include "runtime/render2d/render_object.h"
#include "runtime/sound/music_loop.h"
#include "runtime/system/program_folder.h"
#include "runtime/system/program_functions.h"
#include "runtime/system/project_hooks.h"
#include "runtime/system/static_cleanup.h"

namespace {

constexpr int kSocketLayerFinalReleases = 16;

void appendNumber(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    appendErrorLog(text);
}

void writeEndReport() {
    const RuntimeState& rs = runtimeState();
    appendErrorLog("-End On Line");
    appendNumber(rs.errorCode);
    appendNumber(rs.errorLine - 1);
    appendNumber(rs.currentLine);
    appendNumber(rs.sourceTag);
}

[[noreturn]] void endWithStatus(bool fatal) {
    RuntimeState& rs = runtimeState();
    if (rs.debugFlag != 0) writeEndReport();
    if (rs.quitCallbackDone == 0) {
        rs.quitCallbackDone = 1;
        callByName(RtString("KRV_ON_QUIT"));
    }
    RtString errorText = fatalErrorText();
    shutDownRuntime();
    if (fatal) {
        std::fputs(errorText.data, stderr);
        std::fputs("\n", stderr);
    }
    platform::exitProcess(fatal ? 1 : 0);
}

}  // namespace

void terminateProgram() { endWithStatus(false); }

void endAfterDisplayLost() {
    std::fputs("The connection to the display was lost\n", stderr);
    appendErrorLog("Shut down KRV");
    runStaticCleanUp();
    // The exit handlers and destructors would talk to the lost display.
    platform::exitImmediately(1);
}

void terminateOnFatalError() { endWithStatus(true); }

void endProgram() {
    setError(kErrorSuccess);  // END records its own line
    terminateProgram();
}

void closeAllChannels() {
    // Closing is not a command of the program: the error slot keeps what the
    // end reports.
    RuntimeState& rs = runtimeState();
    int32_t code = rs.errorCode;
    int32_t line = rs.errorLine;
    for (int32_t channel = 0; channel < kFileChannelCount; ++channel) closeFileChannel(channel);
    rs.errorCode = code;
    rs.errorLine = line;
    projectEndHook();
}

void shutDownRuntime() {
    RuntimeState& rs = runtimeState();
    // A program end raised by the end hook or a release finds the runtime
    // already going down and does not start over.
    if (renderObject() == nullptr || rs.shuttingDown != 0) return;
    rs.shuttingDown = 1;
    appendErrorLog("Shut down KRV");

    closeMusic();

    enterProgramFolder();
    closeAllChannels();

    if (NetSession* session = netSession()) {
        session->sendLeaveMessages();
        // A thread that did not stop in time still uses the session: it is
        // left to the process's end rather than freed under the thread.
        if (session->close(session->timings.endWaitMs)) {
            rs.engines.destroy(EngineSlot::NetSession);
        } else {
            rs.engines.release(EngineSlot::NetSession);
        }
    }
    // No reference of the socket layer survives the program.
    for (int i = 0; i < kSocketLayerFinalReleases; ++i) sockShutdown();

    // The rest go newest first: the archives (deleting their temporary
    // files), the sound slots before the device they play on, the input, and
    // the 3D engine before the render object it draws through, which takes
    // its window and the context with it.
    rs.engines.destroyAll();
    rs.window = 0;
    rs.shuttingDown = 0;
}
