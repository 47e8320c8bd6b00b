// render3d: the runtime's 3D engine, owned by the runtime's engines from
// start-up to shut-down. It draws through the render object, so it is made
// after it and destroyed before it.
#pragma once

class OpenGLRainbows;
class Rainbows3D;

// The 3D engine; null before start-up and after shut-down.
Rainbows3D* engine3D();
// Makes the 3D engine over `renderer` (null: none) as the newest engine; one
// made before is destroyed first.
Rainbows3D& createEngine3D(OpenGLRainbows* renderer);
