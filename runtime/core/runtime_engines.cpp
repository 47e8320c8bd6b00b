// core: the owner of the runtime's engines; standard C++ only.
#include "runtime/core/runtime_engines.h"

#include <algorithm>  // Required for: std::find, std::copy
#include <utility>    // Required for: std::exchange

RuntimeEngines::RuntimeEngines(RuntimeEngines&& other) noexcept
    : entries(std::exchange(other.entries, {})), order(other.order), count(std::exchange(other.count, 0)) {}

RuntimeEngines& RuntimeEngines::operator=(RuntimeEngines&& other) noexcept {
    if (this != &other) {
        destroyAll();
        entries = std::exchange(other.entries, {});
        order = other.order;
        count = std::exchange(other.count, 0);
    }
    return *this;
}

void RuntimeEngines::place(EngineSlot slot, void* engine, Destroy destroy) {
    this->destroy(slot);
    if (engine == nullptr) return;
    entries[index(slot)] = Entry{engine, destroy};
    order[count++] = slot;
}

RuntimeEngines::Entry RuntimeEngines::take(EngineSlot slot) {
    const Entry taken = std::exchange(entries[index(slot)], Entry{});
    if (taken.engine != nullptr) {
        auto* end = order.begin() + count;
        auto* at = std::find(order.begin(), end, slot);
        std::copy(at + 1, end, at);
        --count;
    }
    return taken;
}

void RuntimeEngines::destroy(EngineSlot slot) {
    const Entry taken = take(slot);
    if (taken.engine != nullptr) taken.destroy(taken.engine);
}

void RuntimeEngines::destroyAll() {
    // A destructor may hand over or destroy another engine: take the newest anew each time.
    while (count > 0) destroy(order[count - 1]);
}

void* RuntimeEngines::release(EngineSlot slot) { return take(slot).engine; }
