// The reference of the start-up benchmark: what any SDL2 + OpenGL program does
// to show its first frame (the platform layer's context attributes), then it
// waits until it is told to end.
#include <GL/gl.h>
#include <SDL.h>

int main() {
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
    glBegin(GL_QUADS);
    for (int i = 0; i < 16; ++i) {
        const float x = static_cast<float>(i * 37 % 600), y = static_cast<float>(i * 53 % 440);
        glColor3f((i & 1) != 0 ? 1.0f : 0.2f, 0.4f, (i & 2) != 0 ? 0.9f : 0.1f);
        glVertex2f(x, y);
        glVertex2f(x + 40, y);
        glVertex2f(x + 40, y + 20);
        glVertex2f(x, y + 20);
    }
    glEnd();
    SDL_GL_SwapWindow(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT) {
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
