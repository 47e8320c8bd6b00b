// input: the runtime's input devices, owned by the runtime's engines from
// start-up to shut-down.
#pragma once

class InputDevices;

// The input devices; null before start-up and after shut-down.
InputDevices* inputDevices();
// Makes the input devices, not yet opened, as the newest engine; ones made
// before are destroyed first.
InputDevices& createInputDevices();
