// toolkit: a focusable horizontal or vertical slider over a scale of doubles.
#pragma once

#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class Slider : public Widget, public MouseListener, public KeyListener {
public:
    static constexpr int Horizontal = 0;
    static constexpr int Vertical = 1;

    explicit Slider(double scaleEnd);
    Slider(double scaleStart, double scaleEnd);
    ~Slider() override;

    // Clamps into the scale; sends no action.
    void setValue(double newValue);
    double getValue() const { return value; }
    void setScale(double start, double end) {
        scaleStart = start;
        scaleEnd = end;
    }
    void setScaleStart(double start) { scaleStart = start; }
    double getScaleStart() const { return scaleStart; }
    void setScaleEnd(double end) { scaleEnd = end; }
    double getScaleEnd() const { return scaleEnd; }
    void setStepLength(double length) { stepLength = length; }
    double getStepLength() const { return stepLength; }
    void setMarkerLength(int length) { markerLength = length; }
    int getMarkerLength() const { return markerLength; }
    void setOrientation(int newOrientation) { orientation = newOrientation; }
    int getOrientation() const { return orientation; }

    void draw(Graphics* graphics) override;

    void mousePressed(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    void mouseWheelMovedUp(MouseEvent& event) override;
    void mouseWheelMovedDown(MouseEvent& event) override;
    void keyPressed(KeyEvent& event) override;
    virtual void drawMarker(Graphics* graphics);
    // With no room for the marker to travel the current value is the answer.
    virtual double markerPositionToValue(int position);
    // With no room to travel or an empty scale the marker stands at 0.
    virtual int valueToMarkerPosition(double v);
    virtual int getMarkerPosition();

private:
    int trackLength() const;
    double valueAtPointer(const MouseEvent& event);
    void changeByInput(double newValue);

    double value = 0.0;
    double stepLength = 0.0;
    int markerLength = 10;
    double scaleStart = 0.0;
    double scaleEnd = 0.0;
    int orientation = Horizontal;
};

}  // namespace lmt
