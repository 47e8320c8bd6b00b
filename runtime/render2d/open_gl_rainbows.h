// render2d: the render object. It owns the window, the OpenGL context and the
// 2D rendering state; the window and context come from platform/window.h.
#pragma once

#include <array>    // Required for: the fixed tables
#include <cstdint>  // Required for: fixed-width fields
#include <memory>   // Required for: std::unique_ptr

#include "runtime/core/block_vector.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/clear_state.h"
#include "runtime/render2d/pixel_buffer.h"
#include "runtime/render2d/polygon_batch.h"
#include "runtime/render2d/render_target.h"
#include "runtime/render2d/shape_batch.h"
#include "runtime/render2d/shape_vertex_buffer.h"
#include "runtime/render2d/sprite_atlas.h"
#include "runtime/render2d/sprite_points.h"
#include "runtime/render2d/sprite_record.h"
#include "runtime/render2d/text_layout.h"
#include "runtime/render2d/tiled_image.h"

class OpenGLRainbows {
public:
    // Runs before each window event when the program asks for it.
    using MessageCallback = void (*)(const platform::WindowMessage& message);

    OpenGLRainbows();
    virtual ~OpenGLRainbows();
    OpenGLRainbows(const OpenGLRainbows&) = delete;
    OpenGLRainbows& operator=(const OpenGLRainbows&) = delete;

    // --- Window and context ---------------------------------------------
    // Makes the window and the context; 0 for width, height or colourDepth
    // takes the desktop's. False when no window can be made.
    bool createWindow(void* instance, int width, int height, int colourDepth, int fps,
                      int samples, int flag);
    bool setScreen(int width, int height, int colourDepth, int fullscreen);
    bool setFullscreen();
    bool setWindowed();
    bool leaveFullscreen();  // hides the window
    void destroyWindow();
    void setScreenSize(int width, int height);

    // --- Messages, present and frame limiter ----------------------------
    // Dispatches the window's waiting events; 0 when the program must end.
    int pumpMessages(MessageCallback callback);
    // Presents the back buffer, leaves its clear pending and waits for the
    // frame's due time; 0 when the program must end.
    int showScreen(MessageCallback callback);
    // Carries out the clear showScreen left pending, with the state it would
    // have cleared with then. Every drawing, read-back and clear of the
    // window, and every change of the window, calls it first.
    void flushPendingClear() {
        drawGatheredShapes();
        if (clearPending) clearNow();
    }
    // The depth part of that clear waits longer: no pixel depends on the depth
    // buffer while the depth test is off, and only the 3D engine switches it
    // on. It is carried out before that, before a depth clear and before any
    // change of the window.
    void flushPendingDepthClear() {
        flushPendingClear();
        if (depthClearPending) clearDepthNow();
    }
    void setFrameRate(int fps);
    // The window procedure: 0 when the event ends the program.
    int windowProc(const platform::WindowMessage& message);

    // --- 2D view state --------------------------------------------------
    void setViewport(int x, int y, int w, int h);
    // Blending off, alpha test on, white colour and global alpha 1.
    void restoreOpaqueDrawing();
    // Called by the viewport command before it sets a viewport; a layer
    // above registers what must end first (the 3D engine's shadow pass).
    using ViewportHook = void (*)();
    ViewportHook beforeViewportCommand = nullptr;

    // --- Render targets (render_target.cpp) ------------------------------
    void createRenderTarget(int n, int sprite, int w, int h);
    void useRenderTarget(int n);
    void useScreen();

    // --- Sprite store (sprite_store.cpp) ----------------------------------
    void releaseSprite(int n);
    void releaseAll();
    bool loadSprite(int n, const char* path, uint32_t colourKey, bool normalMap);
    bool grabSprite(int n, int x, int y, int w, int h);
    void setSpriteFrameSize(int n, uint16_t frameWidth, uint16_t frameHeight);
    void getSpriteSize(int n, int& w, int& h) const;
    void setColourKeys(uint32_t colour);

    // --- Drawing (sprite_drawing.cpp, primitives.cpp, tiled_image.cpp) ----
    // How unit 0's texture is wrapped for the draw that follows the bind.
    enum class TextureWrap : uint8_t { repeat, clampToEdge };
    void bindSprite(int sprite, int secondSprite, bool useMipTexture, const uint32_t* idTable = nullptr,
                    TextureWrap wrap = TextureWrap::repeat);
    void setSmoothing(uint8_t flag);
    void applySmoothing();
    void drawSprite(int n, int x, int y);
    // Ends drawing sprites as points (sprite_points.h), putting the GL state
    // back, and draws the gathered shapes; every other draw that does not bind
    // through bindSprite, and every change of the 2D state, calls it first.
    void endSpritePoints() {
        drawGatheredShapes();
        spritePoints.end();
    }
    void drawSpriteStretched(int n, int x, int y, int w, int h);
    void drawSpriteRotoZoom(int n, int x, int y, float angle, float zoom);
    void drawAnim(int n, int frame, int x, int y);
    void drawAnimRotoZoom(int n, int frame, int x, int y, float angle, float zoom);
    void drawAnimStretched(int n, int frame, int x, int y, int w, int h);
    void drawVertexBuffer(uint32_t mode);
    void drawPoint(int x, int y, uint32_t colour);
    void drawLine(int x1, int y1, int x2, int y2, uint32_t colour);
    void fillRect(int x, int y, int w, int h, uint32_t colour);
    void startPolygon(int sprite, int mode);
    void addPolygonVertex(float x, float y, float u, float v, uint32_t colour);
    void newPolygonStrip();
    void endPolygon();
    bool loadTiledImage(int slot, const char* path);
    void grabScreenToTiledImage(int slot);
    bool tiledImageLoaded(int slot) const {
        return isTiledImageSlot(slot) && tiledImages[static_cast<size_t>(slot)].columns != 0;
    }
    void drawTiledImage(int slot);
    void freeTiledImage(int slot);

    // --- Gathered 2D drawing (shape_batch_drawing.cpp) ---------------------
    // Opens a batch in the view now in force: the gather commands below add
    // shapes to it, drawn in their order when it ends or before anything else
    // uses GL. Their coordinates are relative to the clip area's corner.
    void startShapeBatch();
    // The area of the view (x, y, w, h) the following shapes are placed in
    // and cut to, as a viewport of that area would place and cut them.
    void clipShapeBatch(int x, int y, int w, int h);
    void endShapeBatch();
    bool gatheringShapes() const { return shapes.gathering(); }
    void gatherFill(int x, int y, int w, int h, uint32_t colour);
    void gatherLine(int x1, int y1, int x2, int y2, uint32_t colour);
    void gatherText(int font, const char* text, float x, float y);
    void gatherSprite(int n, int x, int y, int w, int h);  // as drawSpriteStretched
    // Draws what is gathered before another command uses GL; the batch goes
    // on, and puts the 2D state back at its next clip area.
    void drawGatheredShapes() {
        if (!shapes.gathering() || drawingShapes) return;
        shapesInterrupted = true;
        if (!shapes.empty()) drawShapesNow();
    }

    // --- Fonts and text (text_output.cpp) ---------------------------------
    bool loadFont(int font, const char* path);
    void installDefaultFont(int font);
    FontCell getFontCharSize(int font) const;
    void printText(int font, const char* text, float x, float y, float z);

    // --- Image files (image_save.cpp) -------------------------------------
    bool saveSprite(int n, const char* name);
    bool saveScreen(const char* name);

    // --- Collisions and read-back (pixel_readback.cpp) ---------------------
    const uint8_t* makeAlphaCopy(int n);
    bool spriteCollision(int a, int b, int xa, int ya, int xb, int yb);
    bool animCollision(int a, int frameA, int xa, int ya, int b, int frameB, int xb, int yb);
    bool pixelCollision(int a, int xa, int ya, int b, int xb, int yb, int left, int top, int right, int bottom);
    uint32_t readPixel(int x, int y);
    uint32_t readBackColourKey();
    // Height of what is drawn into now: the current framebuffer target's or the window's.
    int32_t drawTargetHeight() const;

    // --- Fields -----------------------------------------------------------
    BlockVector<TextVertex> textVertices{128, 512};
    std::unique_ptr<SpriteRecord[]> sprites = std::make_unique<SpriteRecord[]>(kSpriteCount);
    std::array<RenderTarget, kRenderTargetCount> renderTargets{};
    std::array<std::unique_ptr<uint8_t[]>, kSpriteCount> pixelCopies{};
    std::array<TiledImage, kTiledImageCount> tiledImages{};
    PolygonBatch polygon;  // the batch between startPolygon and endPolygon
    SpriteAtlas atlas;     // copies of small sprites for drawing without texture switches
    SpritePoints spritePoints;  // drawSprite's point path while it is on
    ShapeBatch shapes;          // shapes gathered between startShapeBatch and endShapeBatch
    ShapeVertexBuffer shapeVertexBuffer;  // what the gathered shapes are drawn from
    int32_t boundSprite = -1;
    int32_t boundSecondSprite = -1;
    uint32_t boundUsesMipTexture = 0;
    float globalAlpha = 0.0f;
    int32_t currentTarget = -1;
    uint8_t smoothing = 1;
    uint32_t windowHandle = 0;  // platform window id; 0 = none
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourDepth = 0;
    uint8_t fullscreen = 0;
    int32_t samples = 0;
    int32_t viewportX = 0;
    int32_t viewportY = 0;
    int32_t viewportWidth = 0;
    int32_t viewportHeight = 0;
    int32_t portrait = 0;
    uint32_t spriteColourKey = 0x8000FF;
    uint32_t fontColourKey = 0;
    int32_t contextAlive = 0;
    double nextFrameDue = 0.0;
    double framePeriod = 0.0;
    void* instance = nullptr;
    bool glContext = false;  // the platform keeps the one context; true once made
    bool clearPending = false;      // the back buffer is still to be cleared for this frame
    ClearState pendingClearState;  // what that clear clears with
    bool depthClearPending = false;     // the depth buffer is still to be cleared
    ClearState pendingDepthClearState;  // what that depth clear clears with

private:
    bool makeWindow(int samplesWanted);
    void clearNow();
    // Called with the pending clear taken off, before a clear of the whole
    // window in the state in force: carries out what of it still matters.
    void overwritePendingClear();
    void clearDepthNow();
    void deferDepthClear();
    // bindSprite with the names already chosen for units 0 and 1.
    void bindNames(int sprite, int secondSprite, bool useMipTexture, uint32_t unitZeroName, uint32_t unitOneName,
                   TextureWrap wrap);
    // Sets the colour of an untextured primitive (alpha 0 for the key colour);
    // returns its alpha byte.
    int primitiveColour(uint32_t colour);
    // Sets up an untextured primitive; returns its alpha byte.
    int beginPrimitive(uint32_t colour);
    void endPrimitive();
    // A fill of (x, y, w, h) with the given alpha byte, in the state now in
    // force, sets every pixel of the window to its colour as a clear would.
    bool fillClearsWindow(int x, int y, int w, int h, int alpha) const;
    void clearWindowTo(uint32_t colour, int alpha);
    void drawShapesNow();
    // The colour of a gathered plain shape, as primitiveColour sets it.
    void shapeColour(uint32_t colour, uint8_t (&rgba)[4]) const;
    // Draws what is gathered, then `draw` at once in the base view.
    template <typename Draw>
    void drawShapesAlone(Draw draw);
    // Draws what is gathered, then `draw` at once in a viewport of the clip area.
    template <typename Draw>
    void drawInClipViewport(Draw draw);

    std::array<int32_t, 4> shapeBase{};  // the view the batch was opened in: x, y, w, h
    bool shapesInterrupted = false;      // another command used GL since the last clip area
    bool drawingShapes = false;
    bool clipsAsViewports = false;  // a rotated view: each clip area is set as a viewport
};

// Milliseconds of the runtime clock that the frame limiter reads.
double frameClockMillis();

// --- 2D view commands ----------------------------------------------------
void setAlphaMode(double mode);
void setSmoothing(double flag);
