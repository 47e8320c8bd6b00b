// The owner of the runtime's engines: the newest goes first, a slot taken
// again destroys what it held, and an engine may look at the others while it
// goes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/core/runtime_engines.h"

namespace {

// Writes its name into the log when destroyed, with whether the slot it
// watches still held an engine at that moment.
struct Logged {
    Logged(std::vector<std::string>& log, std::string name, const RuntimeEngines* engines = nullptr,
           EngineSlot watched = EngineSlot::Count)
        : log(log), name(std::move(name)), engines(engines), watched(watched) {}
    ~Logged() {
        std::string line = name;
        if (engines != nullptr) line += engines->engine(watched) != nullptr ? " sees" : " sees none";
        log.push_back(line);
    }
    std::vector<std::string>& log;
    std::string name;
    const RuntimeEngines* engines;
    EngineSlot watched;
};

std::unique_ptr<Logged> logged(std::vector<std::string>& log, const char* name) {
    return std::make_unique<Logged>(log, name);
}

TEST(RuntimeEngines, DestroyedNewestFirstWhateverTheSlotOrder) {
    std::vector<std::string> log;
    {
        RuntimeEngines engines;
        engines.adopt(EngineSlot::NetSession, logged(log, "first"));
        engines.adopt(EngineSlot::Renderer, logged(log, "second"));
        engines.adopt(EngineSlot::MainArchive, logged(log, "third"));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"third", "second", "first"}));
}

TEST(RuntimeEngines, AnEngineStillSeesTheOlderOnesAndNotItselfWhileItGoes) {
    std::vector<std::string> log;
    RuntimeEngines engines;
    engines.adopt(EngineSlot::Renderer, logged(log, "renderer"));
    engines.adopt(EngineSlot::Engine3D, std::make_unique<Logged>(log, "3d", &engines, EngineSlot::Renderer));
    engines.adopt(EngineSlot::Input, std::make_unique<Logged>(log, "input", &engines, EngineSlot::Input));
    engines.destroyAll();
    EXPECT_EQ(log, (std::vector<std::string>{"input sees none", "3d sees", "renderer"}));
    EXPECT_EQ(engines.engine(EngineSlot::Renderer), nullptr);
}

TEST(RuntimeEngines, TakingASlotAgainDestroysItsEngineAndMakesTheNewOneNewest) {
    std::vector<std::string> log;
    RuntimeEngines engines;
    engines.adopt(EngineSlot::Renderer, logged(log, "first renderer"));
    engines.adopt(EngineSlot::Engine3D, logged(log, "3d"));
    Logged* second = engines.adopt(EngineSlot::Renderer, logged(log, "second renderer"));
    EXPECT_EQ(log, (std::vector<std::string>{"first renderer"}));
    EXPECT_EQ(engines.engine(EngineSlot::Renderer), second);
    engines.destroyAll();
    EXPECT_EQ(log, (std::vector<std::string>{"first renderer", "second renderer", "3d"}));
}

TEST(RuntimeEngines, DestroyReleaseAndANullEngineEmptyTheSlot) {
    std::vector<std::string> log;
    RuntimeEngines engines;
    engines.adopt(EngineSlot::Renderer, logged(log, "renderer"));
    engines.adopt(EngineSlot::NetSession, logged(log, "session"));
    engines.adopt(EngineSlot::Input, logged(log, "input"));

    engines.destroy(EngineSlot::Input);
    engines.destroy(EngineSlot::Input);  // nothing left to destroy
    std::unique_ptr<Logged> kept(static_cast<Logged*>(engines.release(EngineSlot::NetSession)));
    EXPECT_EQ(engines.adopt(EngineSlot::Renderer, std::unique_ptr<Logged>()), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"input", "renderer"}));
    for (EngineSlot slot : {EngineSlot::Renderer, EngineSlot::NetSession, EngineSlot::Input}) {
        EXPECT_EQ(engines.engine(slot), nullptr);
    }
    engines.destroyAll();
    EXPECT_EQ(log.size(), 2u) << "the released engine is not the owner's any more";
    kept.reset();
    EXPECT_EQ(log.back(), "session");
}

TEST(RuntimeEngines, ArraysGoAsArrays) {
    RuntimeEngines engines;
    int* values = engines.adopt(EngineSlot::SoundSlots, std::make_unique<int[]>(4));
    values[3] = 7;
    EXPECT_EQ(static_cast<int*>(engines.engine(EngineSlot::SoundSlots))[3], 7);
}  // the sanitizer build checks the delete[]

TEST(RuntimeEngines, AssigningAFreshOwnerDestroysTheOldEnginesAndMovingHandsThemOver) {
    std::vector<std::string> log;
    RuntimeEngines engines;
    engines.adopt(EngineSlot::Renderer, logged(log, "renderer"));
    engines.adopt(EngineSlot::Engine3D, logged(log, "3d"));
    RuntimeEngines moved(std::move(engines));
    EXPECT_EQ(engines.engine(EngineSlot::Renderer), nullptr);
    EXPECT_TRUE(log.empty());
    moved = RuntimeEngines{};
    EXPECT_EQ(log, (std::vector<std::string>{"3d", "renderer"}));
}

}  // namespace
