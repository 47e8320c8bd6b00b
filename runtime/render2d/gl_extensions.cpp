// render2d: fetching the extension entry points. The proc-address lookup
// answers for any name on this platform, so the extension string decides.
#include "runtime/render2d/gl_extensions.h"

#include <cstdlib>  // Required for: std::atoi
#include <cstring>  // Required for: std::strlen, std::strncmp, std::strcmp

#include "runtime/platform/window.h"

namespace {

struct Group {
    GlFeature feature;
    const char* extensions[2];  // every one must be offered
    bool enabled = true;
};

Group& group(GlFeature feature) {
    static Group groups[] = {
        {GlFeature::Multitexture, {"GL_ARB_multitexture", nullptr}},
        {GlFeature::VertexBuffers, {"GL_ARB_vertex_buffer_object", nullptr}},
        {GlFeature::Shaders, {"GL_ARB_shader_objects", "GL_ARB_vertex_shader"}},
        {GlFeature::Framebuffers, {"GL_EXT_framebuffer_object", nullptr}},
        {GlFeature::SeparateStencil, {nullptr, nullptr}},  // by the version: see loadGlExtensions
    };
    return groups[static_cast<int>(feature)];
}

struct EntryPoint {
    const char* name;
    GlFeature feature;
    void** slot;
};

template <typename Fn>
void forEachEntryPoint(GlExtensions& e, Fn&& fn) {
    const EntryPoint entries[] = {
#define KRV_ENTRY(group, name) {#name, GlFeature::group, reinterpret_cast<void**>(&e.name)}
        KRV_ENTRY(Multitexture, glActiveTextureARB),
        KRV_ENTRY(Multitexture, glMultiTexCoord2fARB),
        KRV_ENTRY(Multitexture, glClientActiveTextureARB),
        KRV_ENTRY(VertexBuffers, glGenBuffersARB),
        KRV_ENTRY(VertexBuffers, glBindBufferARB),
        KRV_ENTRY(VertexBuffers, glBufferDataARB),
        KRV_ENTRY(VertexBuffers, glDeleteBuffersARB),
        KRV_ENTRY(VertexBuffers, glMapBufferARB),
        KRV_ENTRY(VertexBuffers, glUnmapBufferARB),
        KRV_ENTRY(VertexBuffers, glGetBufferParameterivARB),
        KRV_ENTRY(Shaders, glCreateProgramObjectARB),
        KRV_ENTRY(Shaders, glDeleteObjectARB),
        KRV_ENTRY(Shaders, glCreateShaderObjectARB),
        KRV_ENTRY(Shaders, glShaderSourceARB),
        KRV_ENTRY(Shaders, glCompileShaderARB),
        KRV_ENTRY(Shaders, glGetObjectParameterivARB),
        KRV_ENTRY(Shaders, glAttachObjectARB),
        KRV_ENTRY(Shaders, glGetInfoLogARB),
        KRV_ENTRY(Shaders, glLinkProgramARB),
        KRV_ENTRY(Shaders, glUseProgramObjectARB),
        KRV_ENTRY(Shaders, glGetUniformLocationARB),
        KRV_ENTRY(Shaders, glUniform1fARB),
        KRV_ENTRY(Shaders, glUniform1iARB),
        KRV_ENTRY(Shaders, glGetAttribLocationARB),
        KRV_ENTRY(Shaders, glVertexAttrib1fARB),
        KRV_ENTRY(Framebuffers, glBindRenderbufferEXT),
        KRV_ENTRY(Framebuffers, glDeleteRenderbuffersEXT),
        KRV_ENTRY(Framebuffers, glGenRenderbuffersEXT),
        KRV_ENTRY(Framebuffers, glRenderbufferStorageEXT),
        KRV_ENTRY(Framebuffers, glBindFramebufferEXT),
        KRV_ENTRY(Framebuffers, glDeleteFramebuffersEXT),
        KRV_ENTRY(Framebuffers, glGenFramebuffersEXT),
        KRV_ENTRY(Framebuffers, glCheckFramebufferStatusEXT),
        KRV_ENTRY(Framebuffers, glFramebufferTexture2DEXT),
        KRV_ENTRY(Framebuffers, glFramebufferRenderbufferEXT),
        KRV_ENTRY(Framebuffers, glGetFramebufferAttachmentParameterivEXT),
#undef KRV_ENTRY
    };
    for (const EntryPoint& entry : entries) fn(entry);
}

// Core functions of the versions that replaced the groups above.
struct CoreFunction {
    const char* name;
    int major, minor;
};
constexpr CoreFunction kCoreFunctions[] = {
    {"glActiveTexture", 1, 3}, {"glMultiTexCoord2f", 1, 3}, {"glClientActiveTexture", 1, 3},
    {"glGenBuffers", 1, 5}, {"glBindBuffer", 1, 5}, {"glBufferData", 1, 5},
    {"glDeleteBuffers", 1, 5}, {"glMapBuffer", 1, 5}, {"glUnmapBuffer", 1, 5},
    {"glCreateProgram", 2, 0}, {"glCreateShader", 2, 0}, {"glShaderSource", 2, 0},
    {"glCompileShader", 2, 0}, {"glLinkProgram", 2, 0}, {"glUseProgram", 2, 0},
    {"glGetUniformLocation", 2, 0}, {"glUniform1f", 2, 0}, {"glUniform1i", 2, 0},
    {"glGenFramebuffers", 3, 0}, {"glBindFramebuffer", 3, 0},
    {"glGenRenderbuffers", 3, 0}, {"glBindRenderbuffer", 3, 0},
};

bool groupOffered(GlFeature feature) {
    for (const char* ext : group(feature).extensions) {
        if (ext != nullptr && !hasGlExtension(ext)) return false;
    }
    return true;
}

bool versionAtLeast(int major, int minor) {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr) return false;
    int haveMajor = std::atoi(version);
    const char* dot = std::strchr(version, '.');
    int haveMinor = dot != nullptr ? std::atoi(dot + 1) : 0;
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

}  // namespace

GlExtensions& glExtensions() {
    static GlExtensions extensions;
    return extensions;
}

void setGlFeatureEnabled(GlFeature feature, bool enabled) { group(feature).enabled = enabled; }

void loadGlExtensions() {
    constexpr int kGroups = 5;
    bool offered[kGroups];
    for (int g = 0; g < kGroups; ++g) {
        auto feature = static_cast<GlFeature>(g);
        offered[g] = group(feature).enabled && groupOffered(feature);
    }
    forEachEntryPoint(glExtensions(), [&](const EntryPoint& entry) {
        *entry.slot = offered[static_cast<int>(entry.feature)]
                          ? platform::video().procAddress(entry.name)
                          : nullptr;
    });
    // A core function without an extension of its own; kept out of the table
    // above, whose names answer the programs' entry point questions.
    glExtensions().glStencilOpSeparate =
        group(GlFeature::SeparateStencil).enabled && versionAtLeast(2, 0)
            ? reinterpret_cast<PFNGLSTENCILOPSEPARATEPROC>(platform::video().procAddress("glStencilOpSeparate"))
            : nullptr;
}

bool containsWord(const char* list, const char* name) {
    if (list == nullptr || name == nullptr || *name == '\0') return false;
    size_t n = std::strlen(name);
    for (const char* p = std::strstr(list, name); p != nullptr; p = std::strstr(p + 1, name)) {
        bool startsWord = p == list || p[-1] == ' ';
        bool endsWord = p[n] == '\0' || p[n] == ' ';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool hasGlExtension(const char* name) {
    if (!platform::video().contextCurrent()) return false;
    return containsWord(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

bool glEntryPointAvailable(const char* name) {
    if (name == nullptr || !platform::video().contextCurrent()) return false;
    bool found = false;
    forEachEntryPoint(glExtensions(), [&](const EntryPoint& entry) {
        if (std::strcmp(entry.name, name) == 0 && groupOffered(entry.feature)) found = true;
    });
    if (found) return true;
    for (const CoreFunction& f : kCoreFunctions) {
        if (std::strcmp(f.name, name) == 0) return versionAtLeast(f.major, f.minor);
    }
    return false;
}
