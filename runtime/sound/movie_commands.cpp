// sound: the movie commands. The movie comes from the media layer and is
// drawn into the render object's frames (render2d); the frames are presented
// and a closed window ends the program through the start-up's hooks.
#include <algorithm>  // Required for: std::min
#include <optional>   // Required for: std::optional
#include <string>     // Required for: std::string

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"
#include "runtime/render2d/saved_draw_state.h"
#include "runtime/sound/media_commands.h"
#include "runtime/sound/music_loop.h"
#include "runtime/sound/sound_engines.h"

namespace {

constexpr int32_t kMovieShown = 0;
constexpr int32_t kMovieNotFound = 3;

// A key or mouse button down now (not only newly typed).
bool inputDown(InputDevices& input) {
    if (input.anyMouseButton()) return true;
    input.pollKeyboard();
    for (int code = 1; code < 256; ++code) {
        if (input.keyIsDown(code)) return true;
    }
    return false;
}

}  // namespace

MovieRect fitMovie(int32_t sourceWidth, int32_t sourceHeight, int32_t clientWidth, int32_t clientHeight) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || clientWidth <= 0 || clientHeight <= 0) return {};
    const double scale = std::min(static_cast<double>(clientWidth) / sourceWidth,
                                  static_cast<double>(clientHeight) / sourceHeight);
    const auto w = static_cast<int32_t>(sourceWidth * scale);
    const auto h = static_cast<int32_t>(sourceHeight * scale);
    return {(clientWidth - w) / 2, (clientHeight - h) / 2, w, h};
}

int32_t playMovie(const RtString& path, int32_t loop) {
    RuntimeState& rs = runtimeState();
    if (renderObject() == nullptr || inputDevices() == nullptr) return kMovieNotFound;
    std::string resolved;
    // An archive entry plays from memory: no temporary file that another user could swap.
    if (archiveFetch(mediaArchive(), path.data, resolved, 1) == 0) return kMovieNotFound;
    std::unique_ptr<MoviePlayer> movie = mediaBackend().openMovie(resolved, soundDevice());
    if (movie == nullptr) return kMovieNotFound;
    const int32_t length = movie->lengthMs();
    const int32_t end = movie->startMs() + length;
    // A movie that does not know its length plays to the end of its stream.
    const auto finished = [&](int32_t position) { return length > 0 ? position >= end : movie->atEnd(); };

    OpenGLRainbows& renderer = *renderObject();
    const MovieRect rect = fitMovie(movie->sourceWidth(), movie->sourceHeight(), renderer.width, renderer.height);
    if (rect.w <= 0 || rect.h <= 0) return kMovieNotFound;  // nothing to show it in
    movie->setDestination(rect);

    InputDevices& input = *inputDevices();
    while (inputDown(input)) {
    }
    if (movie->play()) {
        std::optional<SavedDrawState> programState(std::in_place, renderer);
        for (bool done = false; !done;) {
            const int32_t position = movie->positionMs();
            if (inputDown(input)) break;
            serviceMusicLoop();
            renderer.setViewport(0, 0, 0, 0);
            renderer.flushPendingClear();
            movie->drawFrame();
            // Presenting pumps the window's messages and paces the loop.
            if (!rs.presentMovieFrame()) {
                programState.reset();  // while the renderer still exists
                movie.reset();
                rs.endProgramAfterMovie();
            }
            done = finished(position);
            if (loop != 0 && done) {
                movie->seekToStart();
                movie->play();
                done = false;
            }
        }
    }
    movie->stop();
    return kMovieShown;
}

int32_t playMovieLoop(const RtString& path) { return playMovie(path, 1); }

int32_t playMovieOnce(const RtString& path) { return playMovie(path, 0); }
