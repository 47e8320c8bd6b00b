// render3d: sprites and texts in the scene that face the camera, drawn with
// the render object's sprites, fonts and scratch buffer of text vertices.
#pragma once

class OpenGLRainbows;

// A quad facing the camera whose bottom edge is centred on the point.
void drawSprite3D(OpenGLRainbows& r, int sprite, float x, float y, float z, float scale);
// Text facing the camera, cells of size x the font's cell; size 0 prints
// flat on the screen, centred above where the point projects.
void printText3D(OpenGLRainbows& r, int font, const char* text, float x, float y, float z, float size);
