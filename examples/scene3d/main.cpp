// scene3d: a crate loaded from "crate.ddd" on a floor made with the object
// builder, lit by the sun, fading into fog, casting a stencil shadow, and
// picked by a ray through the window's centre. Escape ends it. For tests and
// scripts: KRV_EXAMPLE_FRAMES=N ends it after N frames, and
// KRV_EXAMPLE_SHOT=file.png saves that last frame first.
#include <cmath>

#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"
#include "runtime/core/string_operators.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_end.h"
#include "runtime/system/project_hooks.h"
#include "runtime/system/system_commands.h"

namespace {

constexpr int kCrate = 1;  // object slots 0..4095
constexpr int kFloor = 2;
constexpr int kSky = 0xE0C090;     // 0x00BBGGRR: a pale blue, also the fog's colour
constexpr int kGrey = 0xC8C8C8;
constexpr int kMarker = 0xFF00FF;  // magenta
constexpr double kEye[3] = {-40, 60, 90};
constexpr double kTarget[3] = {0, 10, 0};
constexpr double kSun[3] = {-120, 160, -60};  // where the light and the shadow come from

// A floor 200 units square at y = 0: one strip of two triangles, wound
// clockwise seen from above, so that its normals point up.
void buildFloor() {
    beginObject3D(kFloor);
    addVertex3D(-100, 0, 100, 0, 0, kGrey);
    addVertex3D(-100, 0, -100, 0, 1, kGrey);
    addVertex3D(100, 0, 100, 1, 0, kGrey);
    addVertex3D(100, 0, -100, 1, 1, kGrey);
    endObject3D();
}

}  // namespace

void projectSettings() {
    RuntimeState& rs = runtimeState();
    rs.screenWidth = 640;
    rs.screenHeight = 480;
    rs.framesPerSecond = 60;
    rs.title = "Scene 3D";
}

RtString projectCompiledStamp() { return RtString(__DATE__ "-" __TIME__); }
RtString projectHostId() { return RtString("00000002"); }
void projectEndHook() {}

void userMain() {
    const int32_t lastFrame = textToInt(getEnvironment("KRV_EXAMPLE_FRAMES").data);
    const RtString shot = getEnvironment("KRV_EXAMPLE_SHOT");

    // Found beside the executable: the runtime works in the program's folder.
    loadObject3D("crate.ddd", kCrate);
    buildFloor();

    int32_t pickedFace = -1;
    for (int32_t frame = 1;; ++frame) {
        // start3D clears depth only: a 2D fill first paints the sky.
        fillRect(0, 0, 640, 480, kSky);
        start3D(1, 1000, 60);
        setCamera3D(kEye[0], kEye[1], kEye[2], kTarget[0], kTarget[1], kTarget[2]);
        // Lights take the camera's matrix: set them after the camera, every frame.
        setLight3D(0, 0xFFFFFF, 0, 0, 0, -kSun[0], -kSun[1], -kSun[2], 180);
        setFog3D(kSky, 0, 90, 250);

        setMovementPosition3D(0, 0, 0);
        drawObject3D(kFloor, 0);
        drawObject3D(kCrate, 0);

        // The ray from the eye through the window's centre, against the crate
        // where the current movement places it.
        const double dir[3] = {kTarget[0] - kEye[0], kTarget[1] - kEye[1], kTarget[2] - kEye[2]};
        const double distance = collideRay3D(kCrate, 0, kEye[0], kEye[1], kEye[2], dir[0], dir[1], dir[2]);

        // Special light -3 begins the shadow pass: drawing now only counts the
        // crate's shadow volume; switching it off darkens what lies inside.
        setLight3D(-3, 0, kSun[0], kSun[1], kSun[2], 0, 0, 0, 1);
        drawObject3D(kCrate, 0);
        setLight3D(-3, 0, kSun[0], kSun[1], kSun[2], 0, 0, 0, 0);

        RtString status("Nothing picked");
        if (distance > 0) {
            const double scale = distance / std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
            drawPoint3D(kEye[0] + dir[0] * scale, kEye[1] + dir[1] * scale, kEye[2] + dir[2] * scale, 9, kMarker);
            status = RtString("Picked face ") + lastHitFace3D() + " at distance " + distance;
            if (lastHitFace3D() != pickedFace) printStdout(status + "\n");
            pickedFace = lastHitFace3D();
        }
        end3D();
        printText(status, 8, 8);

        if (frame == lastFrame) {
            if (shot.length > 0) saveScreen(shot);
            endProgram();
        }
        showScreen();
    }
}
