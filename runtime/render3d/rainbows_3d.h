// render3d: the 3D engine. Draws into the render object's OpenGL context and
// uses the extension entry points that window creation fetched.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields

class OpenGLRainbows;

// One compiled shader program and its two shaders (0 = none).
struct ShaderSlot {
    uint32_t program = 0;
    uint32_t vertexShader = 0;
    uint32_t fragmentShader = 0;
};

constexpr int kShaderSlots = 255;

class Rainbows3D {
public:
    explicit Rainbows3D(OpenGLRainbows* renderer) : renderer(renderer) {}

    // Begins (1) or ends (0) the stencil-shadow pass; ending one in progress
    // darkens the stencil-marked pixels. Nothing happens when unchanged.
    void setShadowPass(uint8_t on);
    // Uses shader slot n (0..254); any other n switches shaders off.
    void useShader(int n);

    // --- Shaders (shader_slots.cpp) ---------------------------------------
    // Problems are reported only through the optional callback.
    using ShaderMessage = void (*)(const char* text);
    // Compiles and links the vertex and fragment files (either may be null)
    // into slot n; false on any failure, an unreadable file included.
    bool loadShader(int n, const char* vertexFile, const char* fragmentFile, ShaderMessage callback);
    void setShaderUniformFloat(const char* name, float value, ShaderMessage callback);
    void setShaderUniformInt(const char* name, int value, ShaderMessage callback);
    void setShaderAttribute(const char* name, float value, ShaderMessage callback);
    void releaseShader(int n);
    bool checkShaderStatus(uint32_t object, bool isShader, ShaderMessage callback);

    OpenGLRainbows* renderer;
    uint8_t shadowPass = 0;
    int32_t textureVariant = 0;  // 1 = bind each sprite's second texture
    std::array<ShaderSlot, kShaderSlots> shaders{};
    int32_t currentShader = -1;
};

// The 3D texture selection: the integer of mode, kept by the engine.
void setTextureVariant3D(double mode);
