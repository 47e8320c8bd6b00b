// toolkit: the abstract base of every element of the user interface: its
// rectangle, colours, font, frame, flags, listener lists, parent and focus
// handler, and the class-wide registry of live widgets and the fonts.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"
#include "toolkit/color.h"
#include "toolkit/rectangle.h"

namespace lmt {

class ActionListener;
class DeathListener;
class FocusHandler;
class FocusListener;
class Font;
class Graphics;
class KeyListener;
class MouseListener;
class WidgetListener;

class Widget {
public:
    Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;
    // Tells the death listeners, leaves the focus handler and the registry; never throws.
    virtual ~Widget();

    // Draws the widget in widget-relative coordinates.
    virtual void draw(Graphics* graphics) = 0;
    // The bevelled frame; the clip area's origin is the frame's outer corner.
    virtual void drawFrame(Graphics* graphics);
    virtual void logic() {}
    virtual Widget* getParent() const { return parent; }
    virtual bool isFocused() const;
    virtual void requestFocus();
    virtual void requestMoveToTop();
    virtual void requestMoveToBottom();
    virtual void setFocusHandler(FocusHandler* handler);
    virtual FocusHandler* getFocusHandler() const { return focusHandler; }
    virtual void getAbsolutePosition(int32_t& x, int32_t& y) const;
    virtual void setParent(Widget* newParent) { parent = newParent; }
    virtual void fontChanged() {}
    virtual void requestModalFocus();
    virtual void requestModalMouseInputFocus();
    virtual void releaseModalFocus();
    virtual void releaseModalMouseInputFocus();
    // True for the modal widget and every descendant of it.
    virtual bool isModalFocused() const;
    virtual bool isModalMouseInputFocused() const;
    // The child at a point relative to the children area; none for plain widgets.
    virtual Widget* getWidgetAt(int32_t x, int32_t y);
    virtual RtArray<MouseListener*>& getMouseListeners() { return mouseListeners; }
    virtual RtArray<KeyListener*>& getKeyListeners() { return keyListeners; }
    virtual RtArray<FocusListener*>& getFocusListeners() { return focusListeners; }
    virtual Rectangle getChildrenArea() const { return Rectangle(); }
    virtual FocusHandler* getInternalFocusHandler() const { return internalFocusHandler; }
    virtual void moveToTop(Widget*) {}
    virtual void moveToBottom(Widget*) {}
    virtual bool isLastChild(const Widget*) const { return false; }
    virtual void focusNext() {}
    virtual void focusPrevious() {}
    virtual void showWidgetPart(Widget*, Rectangle) {}
    virtual void showPart(Rectangle rectangle);

    int32_t getX() const { return dimension.x; }
    int32_t getY() const { return dimension.y; }
    int32_t getWidth() const { return dimension.width; }
    int32_t getHeight() const { return dimension.height; }
    const Rectangle& getDimension() const { return dimension; }
    // Stores the rectangle; tells widget listeners resized, then moved.
    void setDimension(const Rectangle& rectangle);
    void setX(int32_t x);
    void setY(int32_t y);
    void setWidth(int32_t width);
    void setHeight(int32_t height);
    void setPosition(int32_t x, int32_t y);
    void setSize(int32_t width, int32_t height);

    uint32_t getFrameSize() const { return frameSize; }
    void setFrameSize(uint32_t size) { frameSize = size; }

    const Color& getForegroundColor() const { return foregroundColor; }
    const Color& getBackgroundColor() const { return backgroundColor; }
    const Color& getBaseColor() const { return baseColor; }
    const Color& getSelectionColor() const { return selectionColor; }
    void setForegroundColor(const Color& color) { foregroundColor = color; }
    void setBackgroundColor(const Color& color) { backgroundColor = color; }
    void setBaseColor(const Color& color) { baseColor = color; }
    void setSelectionColor(const Color& color) { selectionColor = color; }

    void setFocusable(bool focusable);
    bool isFocusable() const;
    bool isVisible() const;
    void setVisible(bool visible);
    bool isEnabled() const;
    void setEnabled(bool enabled) { enabledFlag = enabled; }
    bool isTabInEnabled() const { return tabIn; }
    void setTabInEnabled(bool enabled) { tabIn = enabled; }
    bool isTabOutEnabled() const { return tabOut; }
    void setTabOutEnabled(bool enabled) { tabOut = enabled; }
    void setInternalFocusHandler(FocusHandler* handler) { internalFocusHandler = handler; }

    // Own font, else the global font, else the default font; never null.
    Font* getFont() const;
    void setFont(Font* font);
    static void setGlobalFont(Font* font);
    static bool widgetExists(const Widget* widget);

    const RtString& getActionEventId() const { return actionEventId; }
    void setActionEventId(const RtString& id) { actionEventId = id; }
    const RtString& getId() const { return id; }
    void setId(const RtString& text) { id = text; }

    // Appends; a listener added twice is called twice.
    void addMouseListener(MouseListener* listener);
    void addKeyListener(KeyListener* listener);
    void addActionListener(ActionListener* listener);
    void addDeathListener(DeathListener* listener);
    void addFocusListener(FocusListener* listener);
    void addWidgetListener(WidgetListener* listener);
    // Removes one occurrence (the first); nothing when the listener is not there.
    void removeMouseListener(MouseListener* listener);
    void removeKeyListener(KeyListener* listener);
    void removeActionListener(ActionListener* listener);
    void removeDeathListener(DeathListener* listener);
    void removeFocusListener(FocusListener* listener);
    void removeWidgetListener(WidgetListener* listener);

    // One action event with this widget as source to every action listener.
    void distributeActionEvent();

private:
    FocusHandler* requireFocusHandler() const;

    RtArray<MouseListener*> mouseListeners;
    RtArray<KeyListener*> keyListeners;
    RtArray<ActionListener*> actionListeners;
    RtArray<DeathListener*> deathListeners;
    RtArray<FocusListener*> focusListeners;
    RtArray<WidgetListener*> widgetListeners;
    Color foregroundColor{0x000000};
    Color backgroundColor{0xFFFFFF};
    Color baseColor{0x808090};
    Color selectionColor{0xC3D9FF};
    FocusHandler* focusHandler = nullptr;
    FocusHandler* internalFocusHandler = nullptr;
    Widget* parent = nullptr;
    Rectangle dimension;
    uint32_t frameSize = 0;
    RtString actionEventId;
    bool focusable = false;
    bool visible = true;
    bool tabIn = true;
    bool tabOut = true;
    bool enabledFlag = true;
    RtString id;
    Font* font = nullptr;
};

}  // namespace lmt
