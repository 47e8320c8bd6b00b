// platform: the process heap's settings for a program that draws frames.
#pragma once

namespace platform {

// Keeps freed memory in the process instead of returning it to the kernel:
// the GL driver frees and allocates large buffers around every draw, and each
// return would be faulted in again on the next frame. Called once at start-up,
// before the driver is loaded; repeated calls change nothing.
void keepHeapForFrames();

}  // namespace platform
