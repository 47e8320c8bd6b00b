// render3d: the 3D engine.
#pragma once

// --- Engine ---
// Rainbows3D (setShadowPass, useShader, shader table), setTextureVariant3D   rainbows_3d.h
#include "runtime/render3d/rainbows_3d.h"
