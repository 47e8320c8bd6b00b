// render2d: the 2D commands of the language, one line each. Numbers arrive as
// double (truncated toward zero where a member takes an int), texts as
// RtString, colours as 0x00BBGGRR. Loaders and savers set error code 0 on
// entry and 3 on failure, and go on. Every command does nothing (or answers
// 0) when no render object exists.
#pragma once

#include <cstdint>  // Required for: int32_t
#include <string>   // Required for: std::string

#include "runtime/core/rt_string.h"
#include "runtime/render2d/open_gl_rainbows.h"

// ---- Screen, view and frame ----
void clearScreen();                                  // drops the background, clears the colour buffer
void setViewport(int32_t x, int32_t y, int32_t w, int32_t h);  // calls beforeViewportCommand first; w or h <= 0: whole screen
void getViewport(int32_t& x, int32_t& y, int32_t& w, int32_t& h);
void getViewport(double& x, double& y, double& w, double& h);
void getScreenSize(int32_t& w, int32_t& h);          // swapped in portrait
void getScreenSize(double& w, double& h);
void setFrameRate(double fps);                       // truncated; <= 0 gives 2 ms
int32_t isFullscreen();
double lastFrameTime();                              // ms between the last two frames; 1.0 when not positive
void noOperation();
// setAlphaMode and setSmoothing: open_gl_rainbows.h

// ---- Primitives and polygons ----
void drawPoint(int32_t x, int32_t y, int32_t colour);
void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour);
void fillRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t colour);  // negative sizes flip
int32_t readPixel(int32_t x, int32_t y);
void startPolygon(int32_t sprite, int32_t mode);     // mode 0 fan, 1 triangles, 2 strip
void addPolygonVertex(double x, double y, double u, double v, int32_t colour);
void newPolygonStrip();
void endPolygon();

// ---- Sprites ----
void loadSprite(const RtString& path, int32_t n);    // "" empties the sprite
void loadNormalMapSprite(const RtString& path, int32_t n);
void loadAnim(const RtString& path, int32_t n, int32_t frameWidth, int32_t frameHeight);
void setAnimSize(int32_t n, int32_t frameWidth, int32_t frameHeight);
void setColourKey(int32_t colour);                   // sprite and font key
int32_t grabSprite(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
int32_t spriteTextureId(int32_t n);
void getSpriteSize(double n, double& w, double& h);
void getSpriteSize(int32_t n, int32_t& w, int32_t& h);
int32_t firstFreeSprite();                           // 0..65503 or -1
void drawSprite(int32_t n, int32_t x, int32_t y);
void drawSpriteStretched(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h);
void drawSpriteZoomed(int32_t n, int32_t x, int32_t y, double zoomX, double zoomY);  // about the centre
void drawSpriteRotated(int32_t n, int32_t x, int32_t y, double angle);
void drawSpriteRotoZoom(int32_t n, int32_t x, int32_t y, double angle, double zoom);
void drawAnim(int32_t n, int32_t frame, int32_t x, int32_t y);
void drawAnimStretched(int32_t n, int32_t frame, int32_t x, int32_t y, int32_t w, int32_t h);
void drawAnimRotoZoom(int32_t n, int32_t frame, int32_t x, int32_t y, double angle, double zoom);
int32_t spriteCollision(int32_t a, int32_t xa, int32_t ya, int32_t b, int32_t xb, int32_t yb);
int32_t animCollision(int32_t a, int32_t frameA, int32_t xa, int32_t ya, int32_t b, int32_t frameB, int32_t xb,
                      int32_t yb);

// ---- Fonts and text ----
int32_t setFont(int32_t font);                       // clamped to 0..31; returns it
void loadFont(const RtString& path, int32_t font);   // failure or "": the built-in font
void getFontSize(int32_t& w, int32_t& h);            // cell of the current font
void getFontSize(double& w, double& h);
int32_t firstFreeFont();                             // 0..30 or -1
void printText(const RtString& text, double x, double y);
void printText(double value, double x, double y);

// ---- Gathered 2D drawing ----
// Between these, fillRect, drawLine, drawPoint, printText and drawSpriteStretched
// are gathered and drawn together, in their order, at endBatch2D or before any
// other command uses GL. The view in force at beginBatch2D is the one they land in.
void beginBatch2D();
void setBatchClip(int32_t x, int32_t y, int32_t w, int32_t h);  // later shapes: relative to (x, y), cut to the area
void endBatch2D();

// ---- Background, files, render targets ----
void grabBackground();
void loadBackground(const RtString& path);
void saveScreen(const RtString& path);
void saveSprite(const RtString& path, int32_t n);
void createRenderTarget(int32_t n, int32_t sprite, int32_t w, int32_t h);
void selectRenderTarget(int32_t n);                  // n < 0: the window again

// Resolves a resource name as every loader does (plain file, memory file, then
// the packed archive); false when nothing answers.
bool resolveResourceName(const RtString& path, std::string& resolved);
