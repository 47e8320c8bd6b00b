// Test double: an lmt::Input fed by the test. Inputs queued with queueKey and
// queueMouse become visible at the next pollInput, as the backend's do.
#pragma once

#include <cstdint>
#include <deque>

#include "toolkit/input.h"

namespace lmt::test {

class ScriptedInput : public Input {
public:
    void queueKey(const KeyInput& keyInput) { pendingKeys.push_back(keyInput); }
    void queueMouse(const MouseInput& mouseInput) { pendingMice.push_back(mouseInput); }

    bool isKeyQueueEmpty() override { return keys.empty(); }
    KeyInput dequeueKeyInput() override;
    bool isMouseQueueEmpty() override { return mice.empty(); }
    MouseInput dequeueMouseInput() override;
    void pollInput() override;

    int32_t pollCount = 0;

private:
    std::deque<KeyInput> pendingKeys;
    std::deque<MouseInput> pendingMice;
    std::deque<KeyInput> keys;
    std::deque<MouseInput> mice;
};

}  // namespace lmt::test
