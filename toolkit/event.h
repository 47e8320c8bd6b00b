// toolkit: the base of every event; the widget it is about (may be null for key
// events to global key listeners).
#pragma once

namespace lmt {

class Widget;

class Event {
public:
    explicit Event(Widget* source) : source(source) {}
    virtual ~Event() = default;

    Widget* getSource() const { return source; }

private:
    Widget* source = nullptr;
};

}  // namespace lmt
