// toolkit/backend: polls the runtime's keyboard and mouse once per frame and
// queues the changes as toolkit inputs, oldest first.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "toolkit/input.h"
#include "toolkit/key.h"

namespace lmt {

class KorvaneInput : public Input {
public:
    static constexpr double RepeatDelay = 500.0;    // milliseconds
    static constexpr double RepeatInterval = 33.0;  // about 30 a second

    KorvaneInput();

    bool isKeyQueueEmpty() override;
    // Throw "The queue is empty." on an empty queue.
    KeyInput dequeueKeyInput() override;
    bool isMouseQueueEmpty() override;
    MouseInput dequeueMouseInput() override;
    void pollInput() override;

    // Mouse inputs carry the runtime clock's milliseconds as their time stamp.
    void pollMouseInput();
    // A key going down queues one pressed input; held, it repeats like a
    // desktop's keyboard: after RepeatDelay, every RepeatInterval. Its release
    // queues one released input.
    void pollKeyInput();
    void pushKeyInput(int32_t scanCode, bool pressed);
    // The toolkit key of a runtime scan code; letters follow the Shift keys' state.
    Key convertKey(int32_t scanCode) const;

private:
    void queueMouse(int32_t button, int32_t type, int32_t x, int32_t y, int32_t timeStamp);
    void queueKey(int32_t code, bool pressed, bool shiftHeld, double now);
    bool shiftKeyState() const;

    uint8_t keyState[256] = {};
    uint32_t keyTable[256] = {};
    RtArray<KeyInput> keyQueue;
    RtArray<MouseInput> mouseQueue;
    int32_t lastLeft = 0;
    int32_t lastRight = 0;
    int32_t lastMiddle = 0;
    int32_t lastX = 0;
    int32_t lastY = 0;
    int32_t lastWheel = 0;
    double repeatDue[256] = {};  // clock time of a held key's next repeat
};

}  // namespace lmt
