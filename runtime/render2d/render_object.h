// render2d: the runtime's render object, owned by the runtime's engines from
// start-up to shut-down.
#pragma once

class OpenGLRainbows;

// The render object; null before start-up and after shut-down.
OpenGLRainbows* renderObject();
// Makes the render object, without a window yet, as the newest engine; one
// made before is destroyed first.
OpenGLRainbows& createRenderObject();
