// toolkit: the debugger output's one sink.
#include "toolkit/debugoutput.h"

#include <utility>

namespace lmt {

namespace {

DebugSink& currentSink() {
    static DebugSink sink = nullptr;
    return sink;
}

}  // namespace

DebugSink setDebugSink(DebugSink sink) {
    return std::exchange(currentSink(), sink);
}

void debugPrint(const RtString& text) {
    if (DebugSink sink = currentSink()) {
        sink(text);
    }
}

}  // namespace lmt
