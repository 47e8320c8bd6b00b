#include "gl_call_counter.h"

#include <GL/gl.h>
#include <GL/glext.h>  // Required for: the extension entry points' types
#include <dlfcn.h>     // Required for: dlsym, RTLD_NEXT

#include <cstring>  // Required for: std::strcmp

namespace {

GlCallCount& counted() {
    static GlCallCount count;
    return count;
}

enum class Kind { other, draw, state };

void note(Kind kind) {
    GlCallCount& c = counted();
    ++c.calls;
    if (kind == Kind::draw) ++c.draws;
    if (kind == Kind::state) ++c.state;
}

}  // namespace

GlCallCount glCallsSoFar() { return counted(); }

// Each definition counts the call, then calls the GL library's entry point.
#define KRV_COUNTED(kind, ret, name, params, args)                                             \
    extern "C" ret name params {                                                               \
        note(Kind::kind);                                                                      \
        static const auto real = reinterpret_cast<ret(*) params>(dlsym(RTLD_NEXT, #name));   \
        return real args;                                                                      \
    }

KRV_COUNTED(state, void, glEnable, (GLenum cap), (cap))
KRV_COUNTED(state, void, glDisable, (GLenum cap), (cap))
KRV_COUNTED(other, GLboolean, glIsEnabled, (GLenum cap), (cap))
KRV_COUNTED(state, void, glEnableClientState, (GLenum cap), (cap))
KRV_COUNTED(state, void, glDisableClientState, (GLenum cap), (cap))
KRV_COUNTED(state, void, glMatrixMode, (GLenum mode), (mode))
KRV_COUNTED(state, void, glLoadIdentity, (), ())
KRV_COUNTED(state, void, glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f),
            (l, r, b, t, n, f))
KRV_COUNTED(state, void, glPushMatrix, (), ())
KRV_COUNTED(state, void, glPopMatrix, (), ())
KRV_COUNTED(other, void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
KRV_COUNTED(other, void, glRotatef, (GLfloat a, GLfloat x, GLfloat y, GLfloat z), (a, x, y, z))
KRV_COUNTED(state, void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))
KRV_COUNTED(state, void, glScissor, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h))
KRV_COUNTED(state, void, glAlphaFunc, (GLenum func, GLclampf ref), (func, ref))
KRV_COUNTED(state, void, glBlendFunc, (GLenum s, GLenum d), (s, d))
KRV_COUNTED(state, void, glShadeModel, (GLenum mode), (mode))
KRV_COUNTED(other, void, glFrontFace, (GLenum mode), (mode))
KRV_COUNTED(other, void, glHint, (GLenum target, GLenum mode), (target, mode))
KRV_COUNTED(other, void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a))
KRV_COUNTED(other, void, glClear, (GLbitfield mask), (mask))
KRV_COUNTED(other, void, glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a))
KRV_COUNTED(other, void, glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a))
KRV_COUNTED(other, void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b))
KRV_COUNTED(draw, void, glBegin, (GLenum mode), (mode))
KRV_COUNTED(other, void, glEnd, (), ())
KRV_COUNTED(other, void, glVertex2f, (GLfloat x, GLfloat y), (x, y))
KRV_COUNTED(other, void, glVertex2fv, (const GLfloat* v), (v))
KRV_COUNTED(other, void, glVertex2i, (GLint x, GLint y), (x, y))
KRV_COUNTED(other, void, glVertex3f, (GLfloat x, GLfloat y, GLfloat z), (x, y, z))
KRV_COUNTED(other, void, glTexCoord2f, (GLfloat s, GLfloat t), (s, t))
KRV_COUNTED(state, void, glBindTexture, (GLenum target, GLuint texture), (target, texture))
KRV_COUNTED(state, void, glTexParameteri, (GLenum target, GLenum pname, GLint param), (target, pname, param))
KRV_COUNTED(state, void, glTexEnvi, (GLenum target, GLenum pname, GLint param), (target, pname, param))
KRV_COUNTED(state, void, glVertexPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* p),
            (size, type, stride, p))
KRV_COUNTED(state, void, glTexCoordPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* p),
            (size, type, stride, p))
KRV_COUNTED(state, void, glColorPointer, (GLint size, GLenum type, GLsizei stride, const GLvoid* p),
            (size, type, stride, p))
KRV_COUNTED(draw, void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count))
KRV_COUNTED(draw, void, glDrawElements, (GLenum mode, GLsizei count, GLenum type, const GLvoid* indices),
            (mode, count, type, indices))
KRV_COUNTED(other, void, glGetIntegerv, (GLenum pname, GLint* params), (pname, params))
KRV_COUNTED(other, void, glGetFloatv, (GLenum pname, GLfloat* params), (pname, params))
KRV_COUNTED(other, void, glGetDoublev, (GLenum pname, GLdouble* params), (pname, params))
KRV_COUNTED(other, void, glGetBooleanv, (GLenum pname, GLboolean* params), (pname, params))
KRV_COUNTED(other, const GLubyte*, glGetString, (GLenum name), (name))
KRV_COUNTED(other, GLenum, glGetError, (), ())
KRV_COUNTED(state, void, glPixelStorei, (GLenum pname, GLint param), (pname, param))
KRV_COUNTED(other, void, glReadPixels,
            (GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, GLvoid* pixels),
            (x, y, w, h, format, type, pixels))
KRV_COUNTED(other, void, glFinish, (), ())
KRV_COUNTED(other, void, glFlush, (), ())
KRV_COUNTED(state, void, glPointSize, (GLfloat size), (size))
KRV_COUNTED(state, void, glLineWidth, (GLfloat width), (width))
KRV_COUNTED(state, void, glColorMask, (GLboolean r, GLboolean g, GLboolean b, GLboolean a), (r, g, b, a))
KRV_COUNTED(state, void, glDepthMask, (GLboolean flag), (flag))
KRV_COUNTED(state, void, glDepthFunc, (GLenum func), (func))

// Extension entry points reach the runtime through SDL_GL_GetProcAddress; the
// ones the 2D drawing calls are handed out as wrappers that count each call.
namespace {

#define KRV_COUNTED_EXT(kind, name, params, args)       \
    void (*real_##name) params = nullptr;                \
    void counted_##name params {                         \
        note(Kind::kind);                                \
        real_##name args;                                \
    }

KRV_COUNTED_EXT(state, glActiveTextureARB, (GLenum unit), (unit))
KRV_COUNTED_EXT(state, glClientActiveTextureARB, (GLenum unit), (unit))
KRV_COUNTED_EXT(state, glBindBufferARB, (GLenum target, GLuint buffer), (target, buffer))
KRV_COUNTED_EXT(other, glBufferDataARB, (GLenum target, GLsizeiptrARB size, const void* data, GLenum usage),
                (target, size, data, usage))
KRV_COUNTED_EXT(other, glGenBuffersARB, (GLsizei n, GLuint* buffers), (n, buffers))
KRV_COUNTED_EXT(state, glBindFramebufferEXT, (GLenum target, GLuint framebuffer), (target, framebuffer))

struct CountedEntry {
    const char* name;
    void** real;
    void* wrapper;
};

#define KRV_ENTRY(name) \
    CountedEntry { #name, reinterpret_cast<void**>(&real_##name), reinterpret_cast<void*>(&counted_##name) }

const CountedEntry kCountedEntries[] = {KRV_ENTRY(glActiveTextureARB), KRV_ENTRY(glClientActiveTextureARB),
                                        KRV_ENTRY(glBindBufferARB),    KRV_ENTRY(glBufferDataARB),
                                        KRV_ENTRY(glGenBuffersARB),    KRV_ENTRY(glBindFramebufferEXT)};

}  // namespace

extern "C" void* SDL_GL_GetProcAddress(const char* name) {
    static const auto real = reinterpret_cast<void* (*)(const char*)>(dlsym(RTLD_NEXT, "SDL_GL_GetProcAddress"));
    void* entry = real(name);
    if (entry == nullptr || name == nullptr) return entry;
    for (const CountedEntry& e : kCountedEntries) {
        if (std::strcmp(e.name, name) != 0) continue;
        *e.real = entry;
        return e.wrapper;
    }
    return entry;
}
