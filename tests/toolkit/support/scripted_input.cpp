// Test double: scripted input queues.
#include "scripted_input.h"

#include <stdexcept>

namespace lmt::test {

KeyInput ScriptedInput::dequeueKeyInput() {
    if (keys.empty()) {
        throw std::logic_error("key queue is empty");
    }
    KeyInput k = keys.front();
    keys.pop_front();
    return k;
}

MouseInput ScriptedInput::dequeueMouseInput() {
    if (mice.empty()) {
        throw std::logic_error("mouse queue is empty");
    }
    MouseInput m = mice.front();
    mice.pop_front();
    return m;
}

void ScriptedInput::pollInput() {
    ++pollCount;
    keys.insert(keys.end(), pendingKeys.begin(), pendingKeys.end());
    mice.insert(mice.end(), pendingMice.begin(), pendingMice.end());
    pendingKeys.clear();
    pendingMice.clear();
}

}  // namespace lmt::test
