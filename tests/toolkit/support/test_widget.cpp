// Test double: a minimal concrete widget.
#include "test_widget.h"

namespace lmt::test {

TestWidget::TestWidget(const std::string& name, bool focusable) {
    setId(RtString(name.c_str()));
    setFocusable(focusable);
    setSize(10, 10);
}

void TestWidget::draw(Graphics* graphics) {
    graphics->fillRectangle(Rectangle(0, 0, getWidth(), getHeight()));
}

}  // namespace lmt::test
