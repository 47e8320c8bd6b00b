// input: the input devices' place among the runtime's engines.
#include "runtime/input/runtime_input.h"

#include <memory>  // Required for: std::make_unique

#include "runtime/core/runtime_state.h"
#include "runtime/input/input_devices.h"

InputDevices* inputDevices() { return static_cast<InputDevices*>(runtimeState().engines.engine(EngineSlot::Input)); }

InputDevices& createInputDevices() {
    return *runtimeState().engines.adopt(EngineSlot::Input, std::make_unique<InputDevices>());
}
