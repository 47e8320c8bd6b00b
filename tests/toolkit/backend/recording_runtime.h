// A stand-in for the runtime's commands: records every drawing call as a line
// of text and answers input and sprite queries from scripted state.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/backend/runtimecommands.h"

class RecordingRuntime : public lmt::RuntimeCommands {
public:
    RecordingRuntime();
    ~RecordingRuntime() override;

    void setViewport(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void beginBatch2D() override;
    void setBatchClip(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void endBatch2D() override;
    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) override;
    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) override;
    void drawSprite(int32_t sprite, int32_t x, int32_t y) override;
    void drawSpriteStretched(int32_t sprite, int32_t x, int32_t y, int32_t width, int32_t height) override;
    void printText(const RtString& text, double x, double y) override;
    void selectRenderTarget(int32_t target) override;
    bool createRenderTarget(int32_t target, int32_t sprite, int32_t width, int32_t height) override;
    void getScreenSize(int32_t& width, int32_t& height) override;
    void loadSprite(const RtString& path, int32_t sprite) override;
    void getSpriteSize(int32_t sprite, int32_t& width, int32_t& height) override;
    int32_t firstFreeSprite() override;
    void loadFont(const RtString& path, int32_t font) override;
    void setFont(int32_t font) override;
    void getFontSize(int32_t& width, int32_t& height) override;
    int32_t firstFreeFont() override;
    bool fileExists(const RtString& path) override;
    bool keyDown(int32_t scanCode) override;
    void mouseState(int32_t& x, int32_t& y, int32_t& left, int32_t& right) override;
    int32_t mouseAxis(int32_t axis) override;
    double elapsedMillis() override;

    std::vector<std::string> calls;

    // Scripted answers.
    std::set<std::string> existingFiles;
    std::map<std::string, std::pair<int32_t, int32_t>> pictureSizes;  // by file name
    std::map<int32_t, std::pair<int32_t, int32_t>> spriteSizes;       // loaded sprites
    std::map<std::string, std::pair<int32_t, int32_t>> fontCells;     // by file name
    std::set<int32_t> keysDown;
    int32_t mouseX = 0, mouseY = 0, left = 0, right = 0, middle = 0, wheel = 0;
    double clock = 0.0;  // milliseconds
    int32_t screenWidth = 640, screenHeight = 480;
    bool renderTargetsWork = true;

private:
    std::map<int32_t, std::pair<int32_t, int32_t>> fontSlots;  // loaded fonts' cells
    int32_t currentFont = 0;
    lmt::RuntimeCommands* previous = nullptr;
};
