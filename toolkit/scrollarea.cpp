// toolkit: the scroll area; draws its bars through lmt::Graphics and scrolls on
// its own mouse events.
#include "toolkit/scrollarea.h"

#include <cstdint>  // Required for: INT32_MAX

#include "toolkit/bevel.h"
#include "toolkit/debugoutput.h"
#include "toolkit/exception.h"
#include "toolkit/graphics.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"

namespace lmt {

namespace {

constexpr const char* kSource = "scrollarea";

}  // namespace

ScrollArea::ScrollArea() {
    addMouseListener(this);
}

ScrollArea::ScrollArea(Widget* content) {
    setContent(content);
    addMouseListener(this);
}

ScrollArea::ScrollArea(Widget* content, int horizontalPolicy, int verticalPolicy)
    : horizontalScrollPolicy(horizontalPolicy), verticalScrollPolicy(verticalPolicy) {
    setContent(content);
    addMouseListener(this);
}

ScrollArea::~ScrollArea() {
    setContent(nullptr);
}

void ScrollArea::setContent(Widget* widget) {
    clear();
    if (widget != nullptr) {
        add(widget);
        widget->setPosition(0, 0);
    }
    checkPolicies();
}

Widget* ScrollArea::getContent() {
    const RtArray<Widget*>& children = getChildren();
    if (listCount(children) == 0) {
        return nullptr;
    }
    return listAt(children, 0);
}

int ScrollArea::contentFrame() {
    Widget* content = getContent();
    return content != nullptr ? static_cast<int>(content->getFrameSize()) : 0;
}

// ---- Policies, amounts and sizes ----

void ScrollArea::setHorizontalScrollPolicy(int policy) {
    horizontalScrollPolicy = policy;
    checkPolicies();
}

void ScrollArea::setVerticalScrollPolicy(int policy) {
    verticalScrollPolicy = policy;
    checkPolicies();
}

void ScrollArea::setScrollPolicy(int horizontal, int vertical) {
    horizontalScrollPolicy = horizontal;
    verticalScrollPolicy = vertical;
    checkPolicies();
}

int ScrollArea::clampVertical(int amount) {
    Widget* content = getContent();
    int maximum = 0;
    if (content != nullptr) {
        maximum = content->getHeight() - getChildrenArea().height + 2 * contentFrame();
        if (maximum < 0) {
            maximum = 0;
        }
    }
    if (amount > maximum) {
        amount = maximum;
    }
    return amount < 0 ? 0 : amount;
}

int ScrollArea::clampHorizontal(int amount) {
    Widget* content = getContent();
    int maximum = 0;
    if (content != nullptr) {
        maximum = content->getWidth() - getChildrenArea().width + 2 * contentFrame();
        if (maximum < 0) {
            maximum = 0;
        }
    }
    if (amount > maximum) {
        amount = maximum;
    }
    return amount < 0 ? 0 : amount;
}

void ScrollArea::setVerticalScrollAmount(int amount) {
    checkPolicies();
    verticalScrollAmount = clampVertical(amount);
}

void ScrollArea::setHorizontalScrollAmount(int amount) {
    checkPolicies();
    horizontalScrollAmount = clampHorizontal(amount);
}

void ScrollArea::setScrollAmount(int horizontal, int vertical) {
    checkPolicies();
    horizontalScrollAmount = clampHorizontal(horizontal);
    verticalScrollAmount = clampVertical(vertical);
}

int ScrollArea::getVerticalMaxScroll() {
    checkPolicies();
    return clampVertical(INT32_MAX);
}

int ScrollArea::getHorizontalMaxScroll() {
    checkPolicies();
    return clampHorizontal(INT32_MAX);
}

void ScrollArea::setScrollbarWidth(int width) {
    if (width <= 0) {
        throwException("Width should be greater then 0.", kSource, 283);
    }
    scrollbarWidth = width;
}

void ScrollArea::setWidth(int width) {
    Widget::setWidth(width);
    checkPolicies();
}

void ScrollArea::setHeight(int height) {
    Widget::setHeight(height);
    checkPolicies();
}

void ScrollArea::setDimension(const Rectangle& dimension) {
    Widget::setDimension(dimension);
    checkPolicies();
}

void ScrollArea::checkPolicies() {
    horizontalBarVisible = false;
    verticalBarVisible = false;
    Widget* content = getContent();
    if (content == nullptr) {
        horizontalBarVisible = horizontalScrollPolicy == ShowAlways;
        verticalBarVisible = verticalScrollPolicy == ShowAlways;
        return;
    }
    const int width = getWidth();
    const int height = getHeight();
    const int w = scrollbarWidth;
    const int contentWidth = content->getWidth();
    const int contentHeight = content->getHeight();

    if (horizontalScrollPolicy == ShowAuto && verticalScrollPolicy == ShowAuto) {
        horizontalBarVisible = contentWidth > width;
        verticalBarVisible = contentHeight > height || (horizontalBarVisible && contentHeight > height - w);
        if (verticalBarVisible && contentWidth > width - w) {
            horizontalBarVisible = true;
        }
        return;
    }

    switch (horizontalScrollPolicy) {
        case ShowAlways: horizontalBarVisible = true; break;
        case ShowNever: horizontalBarVisible = false; break;
        case ShowAuto:
            horizontalBarVisible =
                verticalScrollPolicy == ShowNever ? contentWidth > width : contentWidth > width - w;
            break;
        default: throwException("Horizontal scroll policy invalid.", kSource, 882);
    }
    switch (verticalScrollPolicy) {
        case ShowAlways: verticalBarVisible = true; break;
        case ShowNever: verticalBarVisible = false; break;
        case ShowAuto:
            verticalBarVisible =
                horizontalScrollPolicy == ShowNever ? contentHeight > height : contentHeight > height - w;
            break;
        default: throwException("Vertical scroll policy invalid.", kSource, 906);
    }
}

// ---- Geometry ----

Rectangle ScrollArea::getChildrenArea() const {
    const int width = getWidth() - (verticalBarVisible ? scrollbarWidth : 0);
    const int height = getHeight() - (horizontalBarVisible ? scrollbarWidth : 0);
    if (width < 0 || height < 0) {
        return Rectangle();
    }
    return Rectangle(0, 0, width, height);
}

Rectangle ScrollArea::getUpButtonDimension() {
    if (!verticalBarVisible) {
        return Rectangle();
    }
    return Rectangle(getWidth() - scrollbarWidth, 0, scrollbarWidth, scrollbarWidth);
}

Rectangle ScrollArea::getDownButtonDimension() {
    if (!verticalBarVisible) {
        return Rectangle();
    }
    const int y = getHeight() - scrollbarWidth - (horizontalBarVisible ? scrollbarWidth : 0);
    return Rectangle(getWidth() - scrollbarWidth, y, scrollbarWidth, scrollbarWidth);
}

Rectangle ScrollArea::getLeftButtonDimension() {
    if (!horizontalBarVisible) {
        return Rectangle();
    }
    return Rectangle(0, getHeight() - scrollbarWidth, scrollbarWidth, scrollbarWidth);
}

Rectangle ScrollArea::getRightButtonDimension() {
    if (!horizontalBarVisible) {
        return Rectangle();
    }
    const int x = getWidth() - scrollbarWidth - (verticalBarVisible ? scrollbarWidth : 0);
    return Rectangle(x, getHeight() - scrollbarWidth, scrollbarWidth, scrollbarWidth);
}

Rectangle ScrollArea::getVerticalBarDimension() {
    if (!verticalBarVisible) {
        return Rectangle();
    }
    const int up = getUpButtonDimension().height;
    const int down = getDownButtonDimension().height;
    const int height = getHeight() - up - down - (horizontalBarVisible ? scrollbarWidth : 0);
    return Rectangle(getWidth() - scrollbarWidth, up, scrollbarWidth, height);
}

Rectangle ScrollArea::getHorizontalBarDimension() {
    if (!horizontalBarVisible) {
        return Rectangle();
    }
    const int left = getLeftButtonDimension().width;
    const int right = getRightButtonDimension().width;
    const int width = getWidth() - left - right - (verticalBarVisible ? scrollbarWidth : 0);
    return Rectangle(left, getHeight() - scrollbarWidth, width, scrollbarWidth);
}

Rectangle ScrollArea::getVerticalThumbDimension() {
    if (!verticalBarVisible) {
        return Rectangle();
    }
    const Rectangle track = getVerticalBarDimension();
    Widget* content = getContent();
    int length = track.height;
    if (content != nullptr && content->getHeight() != 0) {
        length = track.height * getChildrenArea().height / content->getHeight();
    }
    if (length < scrollbarWidth) {
        length = scrollbarWidth;
    }
    if (length > track.height) {
        length = track.height;
    }
    const int maximum = clampVertical(INT32_MAX);
    const int position = maximum > 0 ? (track.height - length) * verticalScrollAmount / maximum : 0;
    return Rectangle(track.x, track.y + position, scrollbarWidth, length);
}

Rectangle ScrollArea::getHorizontalThumbDimension() {
    if (!horizontalBarVisible) {
        return Rectangle();
    }
    const Rectangle track = getHorizontalBarDimension();
    Widget* content = getContent();
    int length = track.width;
    if (content != nullptr && content->getWidth() != 0) {
        length = track.width * getChildrenArea().width / content->getWidth();
    }
    if (length < scrollbarWidth) {
        length = scrollbarWidth;
    }
    if (length > track.width) {
        length = track.width;
    }
    const int maximum = clampHorizontal(INT32_MAX);
    const int position = maximum > 0 ? (track.width - length) * horizontalScrollAmount / maximum : 0;
    return Rectangle(track.x + position, track.y, length, scrollbarWidth);
}

// ---- Widget overrides ----

Widget* ScrollArea::getWidgetAt(int x, int y) {
    if (getChildrenArea().isPointInRect(x, y)) {
        return getContent();
    }
    return nullptr;
}

void ScrollArea::showWidgetPart(Widget* widget, Rectangle area) {
    Widget* content = getContent();
    if (widget != content || content == nullptr) {
        throwException("Widget not content widget", kSource, 1133);
    }
    BasicContainer::showWidgetPart(widget, area);
    const int frame = contentFrame();
    horizontalScrollAmount = clampHorizontal(frame - content->getX());
    verticalScrollAmount = clampVertical(frame - content->getY());
}

void ScrollArea::logic() {
    checkPolicies();
    verticalScrollAmount = clampVertical(verticalScrollAmount);
    horizontalScrollAmount = clampHorizontal(horizontalScrollAmount);
    Widget* content = getContent();
    if (content != nullptr) {
        const int frame = contentFrame();
        content->setPosition(frame - horizontalScrollAmount, frame - verticalScrollAmount);
        content->logic();
    }
}

// ---- Mouse ----

void ScrollArea::mousePressed(MouseEvent& event) {
    const int x = event.getX();
    const int y = event.getY();
    debugPrint("Mouse press!\n");
    if (getUpButtonDimension().isPointInRect(x, y)) {
        verticalScrollAmount = clampVertical(verticalScrollAmount - upButtonScrollAmount);
        upButtonPressed = true;
        debugPrint("Up\n");
        return;
    }
    if (getDownButtonDimension().isPointInRect(x, y)) {
        verticalScrollAmount = clampVertical(verticalScrollAmount + downButtonScrollAmount);
        downButtonPressed = true;
        return;
    }
    if (getLeftButtonDimension().isPointInRect(x, y)) {
        horizontalScrollAmount = clampHorizontal(horizontalScrollAmount - leftButtonScrollAmount);
        leftButtonPressed = true;
        return;
    }
    if (getRightButtonDimension().isPointInRect(x, y)) {
        horizontalScrollAmount = clampHorizontal(horizontalScrollAmount + rightButtonScrollAmount);
        rightButtonPressed = true;
        return;
    }
    const Rectangle verticalThumb = getVerticalThumbDimension();
    if (verticalThumb.isPointInRect(x, y)) {
        verticalThumbDragged = true;
        horizontalThumbDragged = false;
        verticalThumbDragOffset = y - verticalThumb.y;
        return;
    }
    if (getVerticalBarDimension().isPointInRect(x, y)) {
        const int page = static_cast<int>(getChildrenArea().height * 0.95);
        verticalScrollAmount = clampVertical(verticalScrollAmount + (y < verticalThumb.y ? -page : page));
        return;
    }
    const Rectangle horizontalThumb = getHorizontalThumbDimension();
    if (horizontalThumb.isPointInRect(x, y)) {
        horizontalThumbDragged = true;
        verticalThumbDragged = false;
        horizontalThumbDragOffset = x - horizontalThumb.x;
        return;
    }
    if (getHorizontalBarDimension().isPointInRect(x, y)) {
        const int page = static_cast<int>(getChildrenArea().width * 0.95);
        horizontalScrollAmount = clampHorizontal(horizontalScrollAmount + (x < horizontalThumb.x ? -page : page));
    }
}

void ScrollArea::mouseReleased(MouseEvent& event) {
    upButtonPressed = false;
    downButtonPressed = false;
    leftButtonPressed = false;
    rightButtonPressed = false;
    verticalThumbDragged = false;
    horizontalThumbDragged = false;
    event.consume();
}

void ScrollArea::mouseDragged(MouseEvent& event) {
    if (verticalThumbDragged) {
        const Rectangle track = getVerticalBarDimension();
        const int span = track.height - getVerticalThumbDimension().height;
        if (span <= 0) {
            verticalScrollAmount = 0;
        } else {
            const int maximum = clampVertical(INT32_MAX);
            verticalScrollAmount =
                clampVertical(maximum * (event.getY() - track.y - verticalThumbDragOffset) / span);
        }
    }
    if (horizontalThumbDragged) {
        const Rectangle track = getHorizontalBarDimension();
        const int span = track.width - getHorizontalThumbDimension().width;
        if (span <= 0) {
            horizontalScrollAmount = 0;
        } else {
            const int maximum = clampHorizontal(INT32_MAX);
            horizontalScrollAmount =
                clampHorizontal(maximum * (event.getX() - track.x - horizontalThumbDragOffset) / span);
        }
    }
    event.consume();
}

void ScrollArea::mouseWheelMovedUp(MouseEvent& event) {
    if (event.isConsumed()) {
        return;
    }
    verticalScrollAmount = clampVertical(verticalScrollAmount - getChildrenArea().height / 8);
    event.consume();
}

void ScrollArea::mouseWheelMovedDown(MouseEvent& event) {
    if (event.isConsumed()) {
        return;
    }
    verticalScrollAmount = clampVertical(verticalScrollAmount + getChildrenArea().height / 8);
    event.consume();
}

// ---- Drawing ----

void ScrollArea::draw(Graphics* graphics) {
    drawBackground(graphics);
    if (verticalBarVisible) {
        drawUpButton(graphics);
        drawDownButton(graphics);
        drawVBar(graphics);
        drawVThumb(graphics);
    }
    if (horizontalBarVisible) {
        drawLeftButton(graphics);
        drawRightButton(graphics);
        drawHBar(graphics);
        drawHThumb(graphics);
    }
    if (verticalBarVisible && horizontalBarVisible) {
        graphics->setColor(getBaseColor());
        graphics->fillRectangle(Rectangle(getWidth() - scrollbarWidth, getHeight() - scrollbarWidth,
                                          scrollbarWidth, scrollbarWidth));
    }
    drawChildren(graphics);
}

void ScrollArea::drawBackground(Graphics* graphics) {
    if (opaque) {
        graphics->setColor(getBackgroundColor());
        graphics->fillRectangle(getChildrenArea());
    }
}

void ScrollArea::drawButton(Graphics* graphics, const Rectangle& dimension, bool pressed, Arrow arrow) {
    const Color& base = getBaseColor();
    const Color face = pressed ? darker(base) : base;
    const Color topLeft = pressed ? darker(face) : lighter(base);
    const Color bottomRight = pressed ? base : darker(base);
    const int width = dimension.width;
    const int height = dimension.height;

    graphics->pushClipArea(dimension);
    graphics->setColor(face);
    graphics->fillRectangle(Rectangle(0, 0, width, height));
    graphics->setColor(topLeft);
    graphics->drawLine(0, 0, width - 1, 0);
    graphics->drawLine(0, 1, 0, height - 1);
    graphics->setColor(bottomRight);
    graphics->drawLine(width - 1, 0, width - 1, height - 1);
    graphics->drawLine(1, height - 1, width - 1, height - 1);

    graphics->setColor(getForegroundColor());
    const bool vertical = arrow == Arrow::Up || arrow == Arrow::Down;
    const int half = (vertical ? height : width) / 2;
    const int n = half / 2;
    const int p = pressed ? 1 : 0;
    for (int i = 0; i < n; ++i) {
        switch (arrow) {
            case Arrow::Up:
                graphics->drawLine(half + p - i, n + 2 + p + i, half + p + i, n + 2 + p + i);
                break;
            case Arrow::Down:
                graphics->drawLine(half + p - i, half + 1 + p - i, half + p + i, half + 1 + p - i);
                break;
            case Arrow::Left:
                graphics->drawLine(half - 2 + p + i, half + p - i, half - 2 + p + i, half + p + i);
                break;
            case Arrow::Right:
                graphics->drawLine(half + 1 + p - i, half + p - i, half + 1 + p - i, half + p + i);
                break;
        }
    }
    graphics->popClipArea();
}

void ScrollArea::drawUpButton(Graphics* graphics) {
    drawButton(graphics, getUpButtonDimension(), upButtonPressed, Arrow::Up);
}

void ScrollArea::drawDownButton(Graphics* graphics) {
    drawButton(graphics, getDownButtonDimension(), downButtonPressed, Arrow::Down);
}

void ScrollArea::drawLeftButton(Graphics* graphics) {
    drawButton(graphics, getLeftButtonDimension(), leftButtonPressed, Arrow::Left);
}

void ScrollArea::drawRightButton(Graphics* graphics) {
    drawButton(graphics, getRightButtonDimension(), rightButtonPressed, Arrow::Right);
}

void ScrollArea::drawTrack(Graphics* graphics, const Rectangle& dimension, bool vertical) {
    const Color& base = getBaseColor();
    graphics->pushClipArea(dimension);
    graphics->setColor(darker(base, 0x10));
    graphics->fillRectangle(Rectangle(0, 0, dimension.width, dimension.height));
    graphics->setColor(darker(base));
    if (vertical) {
        graphics->drawLine(0, 0, 0, dimension.height);
    } else {
        graphics->drawLine(0, 0, dimension.width, 0);
    }
    graphics->popClipArea();
}

void ScrollArea::drawVBar(Graphics* graphics) {
    drawTrack(graphics, getVerticalBarDimension(), true);
}

void ScrollArea::drawHBar(Graphics* graphics) {
    drawTrack(graphics, getHorizontalBarDimension(), false);
}

void ScrollArea::drawThumb(Graphics* graphics, const Rectangle& dimension) {
    const Color& base = getBaseColor();
    const int width = dimension.width;
    const int height = dimension.height;
    graphics->pushClipArea(dimension);
    graphics->setColor(base);
    graphics->fillRectangle(Rectangle(1, 1, width - 1, height - 1));
    graphics->setColor(lighter(base));
    graphics->drawLine(0, 0, width - 1, 0);
    graphics->drawLine(0, 1, 0, height - 1);
    graphics->setColor(darker(base));
    graphics->drawLine(1, height - 1, width - 1, height - 1);
    graphics->drawLine(width - 1, 0, width - 1, height - 1);
    graphics->popClipArea();
}

void ScrollArea::drawVThumb(Graphics* graphics) {
    drawThumb(graphics, getVerticalThumbDimension());
}

void ScrollArea::drawHThumb(Graphics* graphics) {
    drawThumb(graphics, getHorizontalThumbDimension());
}

}  // namespace lmt
