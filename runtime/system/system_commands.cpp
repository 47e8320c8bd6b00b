// system: command line, environment and console commands. The OS only through
// platform/environment.h and platform/console.h.
#include "runtime/system/system_commands.h"

#include <algorithm>    // Required for: std::min, std::max
#include <cstring>      // Required for: std::strlen
#include <optional>     // Required for: std::optional
#include <string>       // Required for: std::string
#include <string_view>  // Required for: std::string_view

#include "runtime/core/runtime_state.h"
#include "runtime/core/string_functions.h"
#include "runtime/platform/console.h"
#include "runtime/platform/environment.h"

namespace {

// fgets with a limit of 4095: 4094 bytes and the terminator.
constexpr std::size_t kLineBytes = 4094;

struct Interval {
    int64_t low;
    int64_t high;
};

// The pixels a box covers on one axis; wide so that no end can wrap.
Interval coverage(int32_t start, int32_t size) {
    int64_t end = start;
    if (size > 0) end = int64_t{start} + size - 1;
    if (size < 0) end = int64_t{start} + size + 1;
    return {std::min<int64_t>(start, end), std::max<int64_t>(start, end)};
}

bool overlaps(Interval a, Interval b) { return std::max(a.low, b.low) <= std::min(a.high, b.high); }

}  // namespace

RtString commandLine() { return runtimeState().commandLine; }

RtString getEnvironment(const RtString& name) {
    if (name.data[0] != '\0') {
        std::optional<std::string> value = platform::environmentValue(name.data);
        return value ? RtString(value->c_str()) : RtString();
    }
    std::string all;
    for (const std::string& entry : platform::environmentEntries()) {
        all += entry;
        all += '\n';
    }
    return RtString(all.c_str());
}

void setEnvironment(const RtString& name, const RtString& value) {
    std::string assignment = std::string(name.data) + "=" + value.data;
    std::size_t equals = assignment.find('=');
    platform::setEnvironmentValue(assignment.substr(0, equals), assignment.substr(equals + 1));
}

void printStdout(const RtString& text) { platform::writeStandardOutput(std::string_view(text.data)); }

void printStderr(const RtString& text) { platform::writeStandardError(std::string_view(text.data)); }

RtString readStdinLine() {
    std::optional<std::string> line = platform::readStandardInputLine(kLineBytes);
    if (!line) return RtString();
    if (!line->empty() && line->back() == '\n') line->pop_back();
    return RtString(line->c_str());
}

int32_t boxesOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2) {
    if (!overlaps(coverage(x1, w1), coverage(x2, w2))) return 0;
    return overlaps(coverage(y1, h1), coverage(y2, h2)) ? 1 : 0;
}

RtString replaceText(const RtString& source, const RtString& find, const RtString& replacement) {
    return replaceAll(source, find, replacement);
}
