// system: the timed background fade. Runs its own frames through showScreen
// and measures them with the runtime clock; draws through the render object.
#include "runtime/system/background_fade.h"

#include <string>  // Required for: the resolved name

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render2d/render_object.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/timers.h"

namespace {

constexpr int kNewPictureSlot = 1;
constexpr int kOldScreenSlot = 2;
constexpr float kFirstWeight = 0.9f;

}  // namespace

void loadBackgroundFaded(const RtString& path, int ms) {
    const RuntimeState& rs = runtimeState();
    clearError();
    std::string resolved;
    if (!resolveResourceName(path, resolved)) {
        setError(kErrorNoSuchFile);
        return;
    }
    OpenGLRainbows* r = renderObject();
    if (r == nullptr) {
        setError(kErrorNoSuchFile);
        return;
    }
    r->grabScreenToTiledImage(kOldScreenSlot);
    // The picture is loaded from the name that resolved, plain file or archive entry.
    r->loadTiledImage(kNewPictureSlot, resolved.c_str());
    clearScreen();

    const auto duration = static_cast<float>(ms);
    const auto end = static_cast<float>((elapsedMillis() - rs.programStartTime) + duration);
    float weight = kFirstWeight;
    do {
        setAlphaMode(weight);
        r->drawTiledImage(kOldScreenSlot);
        setAlphaMode(1.0f - weight);
        r->drawTiledImage(kNewPictureSlot);
        showScreen();
        weight = (end - static_cast<float>(elapsedMillis() - rs.programStartTime)) / duration;
    } while (weight < 1.0f && weight > 0.0f);
    r->freeTiledImage(kNewPictureSlot);
    r->freeTiledImage(kOldScreenSlot);

    if (!r->loadTiledImage(kTiledImageBackground, resolved.c_str())) setError(kErrorNoSuchFile);
    setAlphaMode(0);
    r->drawTiledImage(kTiledImageBackground);
    showScreen();
}
