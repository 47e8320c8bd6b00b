// A window for the 3D tests with a fresh engine per test, its projection set
// up over the whole window; helpers to read GL state back.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>

#include "runtime/render3d/rainbows_3d.h"
#include "tests/render2d/gl_context_fixture.h"

class Gl3D : public GlContext {
protected:
    void SetUp() override {
        GlContext::SetUp();
        if (contextMissing()) return;
        r().useScreen();
        r().setViewport(0, 0, 0, 0);
        engine = std::make_unique<Rainbows3D>(renderer);
        ASSERT_TRUE(engine->setProjection(1.0f, 1000.0f, 60.0f));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    }
    void TearDown() override {
        engine.reset();
        if (renderer != nullptr) r().setViewport(0, 0, 0, 0);
    }

    static OpenGLRainbows& r() { return *renderer; }
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

    std::unique_ptr<Rainbows3D> engine;
};
