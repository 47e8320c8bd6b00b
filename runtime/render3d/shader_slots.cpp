// render3d: GLSL shader slots: loading, selecting and setting uniforms and
// attributes, through the shader entry points window creation fetched.
#include <GL/gl.h>  // Required for: GL types

#include <GL/glext.h>  // Required for: shader-object enums

#include <string>  // Required for: the info log
#include <vector>  // Required for: file buffers

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/image_source.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

// Starts at 1; cleared once "No OpenGL 2.0 Shader Support" has been said.
bool& shaderSupportNotice() {
    static bool notice = true;
    return notice;
}

bool isSlot(int n) { return n >= 0 && n < kShaderSlots; }

void tell(Rainbows3D::ShaderMessage callback, const char* text) {
    if (callback != nullptr) callback(text);
}

// The object's info log, always terminated, to the callback.
void tellInfoLog(GLhandleARB object, Rainbows3D::ShaderMessage callback) {
    const GlExtensions& ext = glExtensions();
    if (callback == nullptr || ext.glGetObjectParameterivARB == nullptr || ext.glGetInfoLogARB == nullptr) return;
    GLint length = 0;
    ext.glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    GLsizei written = 0;
    ext.glGetInfoLogARB(object, static_cast<GLsizei>(log.size()), &written, log.data());
    log.resize(static_cast<size_t>(written > 0 && static_cast<size_t>(written) < log.size() ? written : 0));
    callback(log.c_str());
}

void deleteSlotObjects(ShaderSlot& slot) {
    const GlExtensions& ext = glExtensions();
    if (ext.glDeleteObjectARB == nullptr) return;
    for (uint32_t* object : {&slot.program, &slot.vertexShader, &slot.fragmentShader}) {
        if (*object != 0) ext.glDeleteObjectARB(*object);
        *object = 0;
    }
}

// Compiles one stage from a file; false (with messages) when the file cannot
// be read or does not compile.
bool compileStage(const char* file, GLenum type, uint32_t& object, const char* failure,
                  Rainbows3D::ShaderMessage callback) {
    const GlExtensions& ext = glExtensions();
    std::vector<uint8_t> source;
    if (!readImageSource(file, source)) {
        tell(callback, file);
        tell(callback, failure);
        return false;
    }
    source.push_back(0);
    object = ext.glCreateShaderObjectARB(type);
    const GLcharARB* text = reinterpret_cast<const GLcharARB*>(source.data());
    ext.glShaderSourceARB(object, 1, &text, nullptr);
    ext.glCompileShaderARB(object);
    GLint status = 0;
    ext.glGetObjectParameterivARB(object, GL_OBJECT_COMPILE_STATUS_ARB, &status);
    if (status != 0) return true;
    tellInfoLog(object, callback);
    tell(callback, failure);
    return false;
}

}  // namespace

bool Rainbows3D::loadShader(int n, const char* vertexFile, const char* fragmentFile, ShaderMessage callback) {
    if (!isSlot(n)) return false;
    const GlExtensions& ext = glExtensions();
    if (ext.glCreateShaderObjectARB == nullptr || ext.glCompileShaderARB == nullptr ||
        ext.glLinkProgramARB == nullptr || ext.glShaderSourceARB == nullptr ||
        ext.glGetObjectParameterivARB == nullptr || ext.glCreateProgramObjectARB == nullptr ||
        ext.glAttachObjectARB == nullptr) {
        if (callback != nullptr && shaderSupportNotice()) {
            shaderSupportNotice() = false;
            callback("No OpenGL 2.0 Shader Support");
        }
        return false;
    }
    ShaderSlot& slot = shaders[static_cast<size_t>(n)];
    deleteSlotObjects(slot);
    bool ok = true;
    if (vertexFile != nullptr)
        ok = compileStage(vertexFile, GL_VERTEX_SHADER_ARB, slot.vertexShader, "vertex shader failed", callback);
    if (ok && fragmentFile != nullptr)
        ok = compileStage(fragmentFile, GL_FRAGMENT_SHADER_ARB, slot.fragmentShader, "fragment shader failed",
                          callback);
    if (ok && (slot.vertexShader != 0 || slot.fragmentShader != 0)) {
        slot.program = ext.glCreateProgramObjectARB();
        if (slot.vertexShader != 0) ext.glAttachObjectARB(slot.program, slot.vertexShader);
        if (slot.fragmentShader != 0) ext.glAttachObjectARB(slot.program, slot.fragmentShader);
        ext.glLinkProgramARB(slot.program);
        GLint status = 0;
        ext.glGetObjectParameterivARB(slot.program, GL_OBJECT_LINK_STATUS_ARB, &status);
        if (status == 0) {
            tellInfoLog(slot.program, callback);
            tell(callback, "link shader failed");
            ok = false;
        }
    }
    return ok;
}

void Rainbows3D::setShaderUniformFloat(const char* name, float value, ShaderMessage callback) {
    const GlExtensions& ext = glExtensions();
    if (ext.glGetUniformLocationARB == nullptr || ext.glUniform1fARB == nullptr || !isSlot(currentShader)) return;
    const GLint location = ext.glGetUniformLocationARB(shaders[static_cast<size_t>(currentShader)].program, name);
    if (location != -1) {
        ext.glUniform1fARB(location, value);
    } else if (callback != nullptr) {
        callback("undefined uniform:");
        callback(name);
    }
}

void Rainbows3D::setShaderUniformInt(const char* name, int value, ShaderMessage callback) {
    const GlExtensions& ext = glExtensions();
    if (ext.glGetUniformLocationARB == nullptr || ext.glUniform1iARB == nullptr || !isSlot(currentShader)) return;
    const GLint location = ext.glGetUniformLocationARB(shaders[static_cast<size_t>(currentShader)].program, name);
    if (location != -1) {
        ext.glUniform1iARB(location, value);
    } else if (callback != nullptr) {
        callback("undefined uniform:");
        callback(name);
    }
}

void Rainbows3D::setShaderAttribute(const char* name, float value, ShaderMessage callback) {
    const GlExtensions& ext = glExtensions();
    if (ext.glUseProgramObjectARB == nullptr || ext.glGetAttribLocationARB == nullptr ||
        ext.glVertexAttrib1fARB == nullptr || !isSlot(currentShader))
        return;
    const GLint location = ext.glGetAttribLocationARB(shaders[static_cast<size_t>(currentShader)].program, name);
    if (location != -1) {
        ext.glVertexAttrib1fARB(static_cast<GLuint>(location), value);
    } else if (callback != nullptr) {
        callback("undefined attrib:");
        callback(name);
    }
}

void Rainbows3D::releaseShader(int n) {
    if (!isSlot(n)) return;
    deleteSlotObjects(shaders[static_cast<size_t>(n)]);
}

bool Rainbows3D::checkShaderStatus(uint32_t object, bool isShader, ShaderMessage callback) {
    const GlExtensions& ext = glExtensions();
    if (ext.glGetObjectParameterivARB == nullptr) return false;
    GLint status = 0;
    ext.glGetObjectParameterivARB(object, isShader ? GL_OBJECT_COMPILE_STATUS_ARB : GL_OBJECT_LINK_STATUS_ARB, &status);
    if (status != 0) return true;
    tellInfoLog(object, callback);
    return false;
}
