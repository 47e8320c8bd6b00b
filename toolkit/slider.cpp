// toolkit: the slider; draws through lmt::Graphics, moves on its own input events.
#include "toolkit/slider.h"

#include "toolkit/bevel.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"

namespace lmt {

Slider::Slider(double end) : Slider(0.0, end) {}

Slider::Slider(double start, double end) : scaleStart(start), scaleEnd(end) {
    setFocusable(true);
    setFrameSize(1);
    setValue(scaleStart);
    stepLength = (scaleEnd - scaleStart) / 10;
    addMouseListener(this);
    addKeyListener(this);
}

Slider::~Slider() = default;

void Slider::setValue(double newValue) {
    if (newValue > scaleEnd) {
        value = scaleEnd;
    } else if (newValue < scaleStart) {
        value = scaleStart;
    } else {
        value = newValue;
    }
}

int Slider::trackLength() const {
    return orientation == Vertical ? getHeight() : getWidth();
}

double Slider::markerPositionToValue(int position) {
    const int span = trackLength() - markerLength;
    if (span <= 0) {
        return value;
    }
    const double f = static_cast<double>(position) / span;
    return (1.0 - f) * scaleStart + f * scaleEnd;
}

int Slider::valueToMarkerPosition(double v) {
    const int w = trackLength() - markerLength;
    if (w <= 0 || scaleEnd == scaleStart) {
        return 0;
    }
    int position = static_cast<int>((v - scaleStart) * w / (scaleEnd - scaleStart));
    if (position < 0) {
        position = 0;
    }
    if (position > w) {
        position = w;
    }
    return position;
}

int Slider::getMarkerPosition() {
    return valueToMarkerPosition(value);
}

void Slider::draw(Graphics* graphics) {
    graphics->setColor(darker(getBaseColor(), 0x10));
    graphics->fillRectangle(Rectangle(0, 0, getWidth(), getHeight()));
    drawMarker(graphics);
}

void Slider::drawMarker(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    const int m = markerLength;
    const Color& base = getBaseColor();
    if (orientation != Vertical) {
        const int p = getMarkerPosition();
        graphics->setColor(base);
        graphics->fillRectangle(Rectangle(p + 1, 1, m - 2, height - 2));
        graphics->setColor(lighter(base));
        graphics->drawLine(p, 0, p + m - 1, 0);
        graphics->drawLine(p, 0, p, height - 1);
        graphics->setColor(darker(base));
        graphics->drawLine(p + m - 1, 1, p + m - 1, height - 1);
        graphics->drawLine(p + 1, height - 1, p + m - 1, height - 1);
        if (isFocused()) {
            graphics->setColor(getForegroundColor());
            graphics->drawRectangle(Rectangle(p + 2, 2, m - 4, height - 4));
        }
        return;
    }
    const int p = (height - m) - getMarkerPosition();
    graphics->setColor(base);
    graphics->fillRectangle(Rectangle(1, p + 1, width - 2, m - 2));
    graphics->setColor(lighter(base));
    graphics->drawLine(0, p, 0, p + m - 1);
    graphics->drawLine(0, p, width - 1, p);
    graphics->setColor(darker(base));
    graphics->drawLine(1, p + m - 1, width - 1, p + m - 1);
    graphics->drawLine(width - 1, p + 1, width - 1, p + m - 1);
    if (isFocused()) {
        graphics->setColor(getForegroundColor());
        graphics->drawRectangle(Rectangle(2, p + 2, width - 4, m - 4));
    }
}

double Slider::valueAtPointer(const MouseEvent& event) {
    if (orientation == Vertical) {
        return markerPositionToValue(getHeight() - event.getY() - markerLength / 2);
    }
    return markerPositionToValue(event.getX() - markerLength / 2);
}

void Slider::changeByInput(double newValue) {
    setValue(newValue);
    distributeActionEvent();
}

void Slider::mousePressed(MouseEvent& event) {
    const int x = event.getX();
    const int y = event.getY();
    if (event.getButton() == MouseEvent::Left && x >= 0 && x <= getWidth() && y >= 0 && y <= getHeight()) {
        changeByInput(valueAtPointer(event));
    }
}

void Slider::mouseDragged(MouseEvent& event) {
    changeByInput(valueAtPointer(event));
    event.consume();
}

void Slider::mouseWheelMovedUp(MouseEvent& event) {
    changeByInput(value + stepLength);
    event.consume();
}

void Slider::mouseWheelMovedDown(MouseEvent& event) {
    changeByInput(value - stepLength);
    event.consume();
}

void Slider::keyPressed(KeyEvent& event) {
    const int key = event.getKey().getValue();
    const int increase = orientation == Vertical ? Key::Up : Key::Right;
    const int decrease = orientation == Vertical ? Key::Down : Key::Left;
    if (key == increase) {
        changeByInput(value + stepLength);
    } else if (key == decrease) {
        changeByInput(value - stepLength);
    } else {
        return;
    }
    event.consume();
}

}  // namespace lmt
