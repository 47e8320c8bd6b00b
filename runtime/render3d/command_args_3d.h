// render3d: how the 3D commands turn the language's numbers into the
// engine's arguments. Pure conversions, no engine and no GL.
#pragma once

#include <algorithm>  // Required for: std::clamp
#include <cmath>      // Required for: std::fabs
#include <cstdint>    // Required for: fixed-width results

#include "runtime/core/numeric_convert.h"

inline constexpr float kMinDebugSize = 1.0f;
inline constexpr float kMaxDebugSize = 512.0f;

// Cut toward zero; NaN and values outside int32 give INT32_MIN, which is no
// object, light or sprite number.
inline int32_t intArg(double value) { return doubleToInt(value); }

inline float floatArg(double value) { return static_cast<float>(value); }

// A colour 0x00BBGGRR: through a 64-bit integer, so that numbers above
// 0x7FFFFFFF keep their bits (0xFFFFFFFF stays "off"); NaN and numbers
// beyond 64 bits give 0.
inline uint32_t colourArg(double value) {
    if (!(std::fabs(value) < 9.2e18)) return 0;
    return static_cast<uint32_t>(static_cast<int64_t>(value));
}

// Line widths and point sizes: 1 to 512 (NaN gives 1).
inline float debugSizeArg(double value) {
    if (!(value == value)) return kMinDebugSize;
    return static_cast<float>(std::clamp(value, static_cast<double>(kMinDebugSize), static_cast<double>(kMaxDebugSize)));
}

// The sign of the value: -1, 0 or 1 (NaN gives 0).
inline int32_t cullModeArg(double value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

// The remainder of int(mode) by 3 with the sign of int(mode): -4 gives -1.
inline int32_t normalModeArg(double mode) { return intArg(mode) % 3; }

// A shading ramp value as a byte: clamped to 0..255.
inline uint8_t rampByteArg(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }
