// Test double: records listener calls as text lines.
#include "event_recorder.h"

#include <utility>

#include "text.h"
#include "toolkit/widget.h"

namespace lmt::test {

std::string widgetName(const Widget* widget) {
    if (widget == nullptr) {
        return "-";
    }
    // An event may still name a source that a listener has destroyed.
    return Widget::widgetExists(widget) ? text(widget->getId()) : "(destroyed)";
}

EventRecorder::EventRecorder(std::vector<std::string>* log, std::string name) : log(log), name(std::move(name)) {}

void EventRecorder::add(const std::string& line) {
    const std::string full = name.empty() ? line : name + ": " + line;
    own.push_back(full);
    if (log != nullptr) {
        log->push_back(full);
    }
}

void EventRecorder::mouse(const char* what, MouseEvent& e) {
    add(std::string(what) + " " + widgetName(e.getSource()) + " " + std::to_string(e.getX()) + "," +
        std::to_string(e.getY()) + " b" + std::to_string(e.getButton()) + " c" + std::to_string(e.getClickCount()));
    if (consumeMouse) {
        e.consume();
    }
}

void EventRecorder::key(const char* what, KeyEvent& e) {
    add(std::string(what) + " " + widgetName(e.getSource()) + " " + std::to_string(e.getKey().getValue()));
    if (consumeKeys) {
        e.consume();
    }
}

void EventRecorder::plain(const char* what, const Event& e) {
    add(std::string(what) + " " + widgetName(e.getSource()));
}

void EventRecorder::action(const ActionEvent& e) {
    add("action " + widgetName(e.getSource()) + " \"" + text(e.getId()) + "\"");
}

}  // namespace lmt::test
