#include "runtime/core/runtime_state.h"

RuntimeState& runtimeState() {
    static RuntimeState state;
    return state;
}
