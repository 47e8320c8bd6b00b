// A real window and OpenGL context for one test suite, made before its first
// test and closed after its last; every test is skipped without a display.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"

class GlContext : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (std::getenv("DISPLAY") == nullptr) return;
        renderer = &createRenderObject();
        if (!renderer->createWindow(nullptr, 640, 480, 0, 60, 0, 0)) {
            runtimeState().engines.destroy(EngineSlot::Renderer);
            renderer = nullptr;
        }
    }
    static void TearDownTestSuite() {
        runtimeState().engines.destroy(EngineSlot::Renderer);
        renderer = nullptr;
    }

    // Fixtures built on this one return early when it skipped or failed.
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
        ASSERT_NE(renderer, nullptr) << "no window could be made";
    }
    static bool contextMissing() { return IsSkipped() || HasFatalFailure(); }

    static OpenGLRainbows* renderer;
};

inline OpenGLRainbows* GlContext::renderer = nullptr;
