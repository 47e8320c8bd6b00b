// system: the open and save file dialogs. The dialog comes from
// platform/dialog.h, the display mode around it from the render object and the
// frame; this turns the program's filter text into the dialog's list.
#include <filesystem>  // Required for: std::filesystem::current_path
#include <string>      // Required for: std::string
#include <string_view> // Required for: std::string_view
#include <vector>      // Required for: std::vector

#include "runtime/core/runtime_state.h"
#include "runtime/platform/dialog.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/utility_commands.h"

namespace {

// The filter travels through a 1024-byte buffer that ends in two NULs; longer
// filter text is cut there rather than written beyond it.
constexpr std::size_t kFilterRoom = 1024 - 2;

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    for (;;) {
        std::size_t end = text.find(separator, at);
        fields.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return fields;
        at = end + 1;
    }
}

// Description and pattern alternate; an empty field ends the list, as the
// double NUL does in the buffer.
std::vector<platform::FileFilter> filterList(const RtString& filter) {
    std::string_view text(filter.data);
    text = text.substr(0, kFilterRoom);
    std::vector<std::string_view> fields = splitAt(text, '|');
    std::vector<platform::FileFilter> filters;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty() || fields[i + 1].empty()) break;
        platform::FileFilter entry;
        entry.description = fields[i];
        for (std::string_view pattern : splitAt(fields[i + 1], ';')) {
            if (!pattern.empty()) entry.patterns.emplace_back(pattern);
        }
        filters.push_back(std::move(entry));
    }
    return filters;
}

}  // namespace

RtString fileRequest(int32_t open, const RtString& filter) {
    platform::FileDialogRequest request;
    request.mode = open != 0 ? platform::FileDialogMode::open : platform::FileDialogMode::save;
    request.filters = filterList(filter);
    std::error_code error;
    request.initialFolder = std::filesystem::current_path(error).string();

    // The dialog is a window of its own: a fullscreen program steps aside for
    // it and takes its display mode back afterwards.
    RuntimeState& state = runtimeState();
    if (OpenGLRainbows* renderer = renderObject()) renderer->leaveFullscreen();
    std::optional<std::string> chosen = platform::runFileDialog(request);
    if (OpenGLRainbows* renderer = renderObject()) {
        if (state.fullscreen == 0) {
            renderer->setWindowed();
        } else {
            setScreenMode(state.screenWidth, state.screenHeight, 1);
        }
    }

    if (!chosen || chosen->empty()) return RtString("NO_FILE");
    for (char& c : *chosen) {
        if (c == '\\') c = '/';
    }
    return RtString(chosen->c_str());
}
