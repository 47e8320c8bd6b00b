// toolkit: ties a widget tree to a drawing target and an input source. Once per
// frame logic() dispatches the queued key and mouse inputs and draw() draws the
// tree inside clip areas. Owns the focus handler every widget of its tree shares.
#pragma once

#include <cstdint>
#include <memory>  // Required for: std::unique_ptr

#include "runtime/core/rt_array.h"
#include "toolkit/focushandler.h"

namespace lmt {

class Graphics;
class Input;
class KeyEvent;
class KeyListener;
class MouseInput;
class Widget;

class Gui {
public:
    // Double-click window in time-stamp units.
    static constexpr int32_t DoubleClickTime = 250;

    Gui();
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;
    virtual ~Gui();

    // The old top lets go of the focus handler; the new one takes it.
    virtual void setTop(Widget* widget);
    virtual Widget* getTop() const { return top; }
    virtual void setGraphics(Graphics* g) { graphics = g; }
    virtual Graphics* getGraphics() const { return graphics; }
    virtual void setInput(Input* i) { input = i; }
    virtual Input* getInput() const { return input; }
    // Modal focus changes, polling, key then mouse inputs, then the top's logic.
    virtual void logic();
    virtual void draw();
    virtual void focusNone();
    virtual void setTabbingEnabled(bool enabled) { tabbingEnabled = enabled; }
    virtual bool isTabbingEnabled() const { return tabbingEnabled; }
    virtual void addGlobalKeyListener(KeyListener* listener);
    // Removes every occurrence.
    virtual void removeGlobalKeyListener(KeyListener* listener);

    // [SECTION] Dispatch steps (called by logic)
    virtual void handleMouseInput();
    virtual void handleKeyInput();
    virtual void handleMouseMoved(const MouseInput& mouseInput);
    virtual void handleMousePressed(const MouseInput& mouseInput);
    virtual void handleMouseWheelMovedDown(const MouseInput& mouseInput);
    virtual void handleMouseWheelMovedUp(const MouseInput& mouseInput);
    virtual void handleMouseReleased(const MouseInput& mouseInput);
    virtual void handleModalFocus();
    virtual void handleModalMouseInputFocus();
    virtual void handleModalFocusGained();
    virtual void handleModalFocusReleased();
    // x and y are screen coordinates; each receiver gets them relative to itself.
    virtual void distributeMouseEvent(Widget* source, int32_t type, int32_t button, int32_t x, int32_t y,
                                      bool force, bool toSourceOnly);
    virtual void distributeKeyEvent(KeyEvent& keyEvent);
    virtual void distributeKeyEventToGlobalKeyListeners(KeyEvent& keyEvent);
    // The deepest widget under a screen point (the top at least), or none without a top.
    virtual Widget* getWidgetAt(int32_t x, int32_t y);
    virtual Widget* getMouseEventSource(int32_t x, int32_t y);
    virtual Widget* getKeyEventSource();

    FocusHandler* getFocusHandler() const { return focusHandler.get(); }

private:
    // The top, or none when it was never set or has been destroyed since.
    Widget* liveTop() const;
    Widget* requireTop() const;
    bool isOutside(const Widget* widget, int32_t x, int32_t y) const;
    void enterFrom(Widget* widget, int32_t button, int32_t x, int32_t y, bool force);
    void exitAll(int32_t button, int32_t x, int32_t y);

    Widget* top = nullptr;
    Graphics* graphics = nullptr;
    Input* input = nullptr;
    std::unique_ptr<FocusHandler> focusHandler = std::make_unique<FocusHandler>();
    bool tabbingEnabled = true;
    RtArray<KeyListener*> keyListeners;
    bool shiftPressed = false;
    bool metaPressed = false;
    bool controlPressed = false;
    bool altPressed = false;
    int32_t lastMousePressButton = 0;
    int32_t lastMousePressTimeStamp = 0;
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    int32_t clickCount = 1;
    int32_t lastMouseDragButton = 0;
    RtArray<Widget*> widgetsWithMouse;
};

}  // namespace lmt
