// core: the owner of the runtime's engines. Each library above creates its
// engine and hands it over here; core keeps it by slot and pointer, never by
// type, so it includes nothing of the layers above. Engines are destroyed in
// the reverse of the order they came in.
#pragma once

#include <array>        // Required for: std::array
#include <cstddef>      // Required for: std::size_t
#include <cstdint>      // Required for: uint8_t
#include <memory>       // Required for: std::unique_ptr
#include <type_traits>  // Required for: std::remove_extent_t

// One slot per engine, named after the library that fills it.
enum class EngineSlot : uint8_t {
    MainArchive,   // files
    MediaArchive,  // files
    Renderer,      // render2d
    Engine3D,      // render3d: points at the renderer, so it comes after it
    Input,         // input
    SoundDevice,   // sound
    SoundSlots,    // sound: uses the device
    Music,         // sound: plays on the device
    NetSession,    // net
    Count
};

class RuntimeEngines {
public:
    RuntimeEngines() = default;
    ~RuntimeEngines() { destroyAll(); }
    RuntimeEngines(const RuntimeEngines&) = delete;
    RuntimeEngines& operator=(const RuntimeEngines&) = delete;
    RuntimeEngines(RuntimeEngines&& other) noexcept;
    RuntimeEngines& operator=(RuntimeEngines&& other) noexcept;

    // Takes `engine` into `slot` as the newest engine; what the slot held is
    // destroyed first (a null engine only empties the slot). Returns the
    // engine (its first element for an array).
    template <class T>
    std::remove_extent_t<T>* adopt(EngineSlot slot, std::unique_ptr<T> engine) {
        using Element = std::remove_extent_t<T>;
        Element* raw = engine.release();
        place(slot, raw, [](void* p) { std::default_delete<T>()(static_cast<Element*>(p)); });
        return raw;
    }

    // The engine in `slot`; null when there is none.
    void* engine(EngineSlot slot) const { return entries[index(slot)].engine; }

    // Destroys the engine in `slot`, if any; the slot reads null while it goes.
    void destroy(EngineSlot slot);
    // Destroys every engine, the newest first.
    void destroyAll();
    // Gives up the engine in `slot` without destroying it, for one that
    // something else (a thread that would not stop) still uses.
    void* release(EngineSlot slot);

private:
    using Destroy = void (*)(void*);
    struct Entry {
        void* engine = nullptr;
        Destroy destroy = nullptr;
    };
    static constexpr std::size_t kSlots = static_cast<std::size_t>(EngineSlot::Count);
    static constexpr std::size_t index(EngineSlot slot) { return static_cast<std::size_t>(slot); }

    void place(EngineSlot slot, void* engine, Destroy destroy);
    Entry take(EngineSlot slot);

    std::array<Entry, kSlots> entries{};
    std::array<EngineSlot, kSlots> order{};  // slots in the order their engines came in
    std::size_t count = 0;
};
