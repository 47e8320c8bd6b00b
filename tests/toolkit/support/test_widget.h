// Test double: the smallest concrete widget. Draws a filled rectangle over its
// area, counts logic calls and font changes.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/graphics.h"
#include "toolkit/widget.h"

namespace lmt::test {

class TestWidget : public Widget {
public:
    explicit TestWidget(const std::string& name = "", bool focusable = true);

    void draw(Graphics* graphics) override;
    void logic() override { ++logicCount; }
    void fontChanged() override { ++fontChangedCount; }

    int32_t logicCount = 0;
    int32_t fontChangedCount = 0;
};

}  // namespace lmt::test
