// A window for the 3D tests with a fresh runtime engine per test, its
// projection set up over the whole window; helpers to build objects, read GL state back and
// leave the frame as a PNG for a person to look at.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "tests/render2d/gl_fixture.h"
#include "tests/render3d/frame_artefact.h"

struct BuildVertex {
    float x, y, z, u, v;
    uint32_t colour;
};

class Gl3D : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        if (contextMissing()) return;
        r().setViewport(0, 0, 0, 0);
        engine = &createEngine3D(renderer);
        ASSERT_TRUE(engine->setProjection(1.0f, 1000.0f, 60.0f));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    void TearDown() override {
        destroyEngine();
        if (renderer != nullptr) r().setViewport(0, 0, 0, 0);
    }

    static bool enabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }
    static GLint integer(GLenum what) {
        GLint v = 0;
        glGetIntegerv(what, &v);
        return v;
    }
    static Matrix4 matrix(GLenum which) {
        Matrix4 m{};
        glGetFloatv(which, m.data());
        return m;
    }
    static std::array<float, 4> lightValue(GLenum light, GLenum what) {
        std::array<float, 4> v{};
        glGetLightfv(light, what, v.data());
        return v;
    }
    static std::array<float, 4> currentColour() {
        std::array<float, 4> c{};
        glGetFloatv(GL_CURRENT_COLOR, c.data());
        return c;
    }

    // Builds slot n from one primitive of the given type.
    void build(int n, int primitiveType, const std::vector<BuildVertex>& vertices, int normalMode = 0) {
        engine->normalMode = normalMode;
        engine->builderBeginObject(n, primitiveType);
        for (const BuildVertex& v : vertices) engine->builderAddVertex(v.x, v.y, v.z, v.u, v.v, v.colour);
        engine->builderEndObject();
    }

    // The frame as a PNG in the build's artefacts folder.
    static void saveFrame(const std::string& name) { saveFrameArtefact(r(), name); }

    static std::vector<uint32_t> wholeFrame() {
        std::vector<uint32_t> pixels(640 * 480);
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    void destroyEngine() {
        runtimeState().engines.destroy(EngineSlot::Engine3D);
        engine = nullptr;
    }

    Rainbows3D* engine = nullptr;
};

// Channels of a 0x00BBGGRR pixel.
inline int red(uint32_t c) { return static_cast<int>(c & 255); }
inline int green(uint32_t c) { return static_cast<int>((c >> 8) & 255); }
inline int blue(uint32_t c) { return static_cast<int>((c >> 16) & 255); }
