// render2d: the OpenGL extension entry points that the 2D and 3D code call
// through pointers. Each is null unless the context's version or extension
// string says the feature exists; every caller tests its pointer.
#pragma once

#include <GL/gl.h>  // Required for: GL types

#include <GL/glext.h>  // Required for: PFN...PROC pointer types

struct GlExtensions {
    // Multitexture (GL_ARB_multitexture).
    PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
    PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
    // Vertex buffers (GL_ARB_vertex_buffer_object).
    PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
    PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
    PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
    PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
    PFNGLMAPBUFFERARBPROC glMapBufferARB = nullptr;
    PFNGLUNMAPBUFFERARBPROC glUnmapBufferARB = nullptr;
    PFNGLGETBUFFERPARAMETERIVARBPROC glGetBufferParameterivARB = nullptr;
    // Shader objects (GL_ARB_shader_objects, GL_ARB_vertex_shader).
    PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
    PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
    PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
    PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
    PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
    PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB = nullptr;
    PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
    PFNGLGETINFOLOGARBPROC glGetInfoLogARB = nullptr;
    PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
    PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;
    PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
    PFNGLUNIFORM1FARBPROC glUniform1fARB = nullptr;
    PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
    PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB = nullptr;
    PFNGLVERTEXATTRIB1FARBPROC glVertexAttrib1fARB = nullptr;
    // Framebuffer objects (GL_EXT_framebuffer_object).
    PFNGLBINDRENDERBUFFEREXTPROC glBindRenderbufferEXT = nullptr;
    PFNGLDELETERENDERBUFFERSEXTPROC glDeleteRenderbuffersEXT = nullptr;
    PFNGLGENRENDERBUFFERSEXTPROC glGenRenderbuffersEXT = nullptr;
    PFNGLRENDERBUFFERSTORAGEEXTPROC glRenderbufferStorageEXT = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC glBindFramebufferEXT = nullptr;
    PFNGLDELETEFRAMEBUFFERSEXTPROC glDeleteFramebuffersEXT = nullptr;
    PFNGLGENFRAMEBUFFERSEXTPROC glGenFramebuffersEXT = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC glCheckFramebufferStatusEXT = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC glFramebufferTexture2DEXT = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC glFramebufferRenderbufferEXT = nullptr;
    PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC glGetFramebufferAttachmentParameterivEXT =
        nullptr;
    // Stencil operations set apart for front and back faces (OpenGL 2.0).
    PFNGLSTENCILOPSEPARATEPROC glStencilOpSeparate = nullptr;
};

// The process-wide entry points, shared by the 2D and 3D code.
GlExtensions& glExtensions();

// Feature groups a test can switch off to exercise the fallback paths; a
// switched-off group is not fetched at the next window creation.
enum class GlFeature { Multitexture, VertexBuffers, Shaders, Framebuffers, SeparateStencil };
void setGlFeatureEnabled(GlFeature feature, bool enabled);

// Fetches the entry points of every group that the current context offers,
// and clears the others.
void loadGlExtensions();

// True when `name` is a whole word of the space-separated `list`.
bool containsWord(const char* list, const char* name);

// True when the current context's extension string holds `name` as a word.
bool hasGlExtension(const char* name);

// True when an OpenGL context is current and it offers the entry point
// `name` (one of the runtime's extension entry points, or a core function of
// its version). Serves the "GLEXT:" key of the platform information.
bool glEntryPointAvailable(const char* name);
