// The reference of the start-up benchmark: what any SDL2 + OpenGL program does
// to show its first frame (the platform layer's context attributes), then it
// waits until it is told to end. With "--idle-seconds N" it is the reference of
// the idle frame instead: every 80 ms (about the test program's idle frame)
// it pumps events, clears, draws 64 quads and presents, for N seconds.
#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr Uint32 kIdleFrameMs = 80;

void drawQuads(int count, int frame) {
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        const float x = static_cast<float>((i * 37 + frame) % 600), y = static_cast<float>(i * 53 % 440);
        glColor3f((i & 1) != 0 ? 1.0f : 0.2f, 0.4f, (i & 2) != 0 ? 0.9f : 0.1f);
        glVertex2f(x, y);
        glVertex2f(x + 40, y);
        glVertex2f(x + 40, y + 20);
        glVertex2f(x, y + 20);
    }
    glEnd();
}

void idleFrames(SDL_Window* window, Uint32 seconds) {
    const Uint32 start = SDL_GetTicks();
    for (int frame = 1; SDL_GetTicks() - start < seconds * 1000; ++frame) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            if (event.type == SDL_QUIT) return;
        }
        glClear(GL_COLOR_BUFFER_BIT);
        drawQuads(64, frame);
        SDL_GL_SwapWindow(window);
        SDL_Delay(kIdleFrameMs);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool idle = argc == 3 && std::strcmp(argv[1], "--idle-seconds") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_Window* window = SDL_CreateWindow("reference", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 480,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) return 1;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) return 1;
    SDL_GL_SetSwapInterval(0);
    SDL_ShowWindow(window);
    glClearColor(0.5f, 0.5f, 0.55f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // A few coloured quads, so that the first frame compiles its shaders as any
    // program's first drawing does.
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, 640, 480, 0, -1, 1);
    drawQuads(16, 0);
    SDL_GL_SwapWindow(window);
    if (idle) {
        idleFrames(window, static_cast<Uint32>(std::atoi(argv[2])));
    } else {
        SDL_Event event;
        while (SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT) {
        }
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
