// toolkit: the debugger-output seam; touches nothing but its sink.
#include "toolkit/debugoutput.h"

namespace lmt {

namespace {

DebugSink& currentSink() {
    static DebugSink sink = nullptr;
    return sink;
}

}  // namespace

void debugPrint(const RtString& text) {
    if (DebugSink sink = currentSink()) {
        sink(text);
    }
}

DebugSink setDebugSink(DebugSink sink) {
    DebugSink previous = currentSink();
    currentSink() = sink;
    return previous;
}

}  // namespace lmt
