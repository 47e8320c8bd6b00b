// render2d: the one-time warning that OpenGL runs without hardware.
#pragma once

// True for the renderer strings of the software rasterisers.
bool isSoftwareRenderer(const char* renderer);

// Logs "OpenGL Software Emulation" the first time a software renderer is
// seen in this process; later calls do nothing.
void warnOnceIfSoftwareRenderer(const char* renderer);
