// One frame of the toolkit (Gui::logic then Gui::draw) over a widget tree drawn
// into a graphics that only counts, for trees of 100 and 1,000 widgets; and the
// heap allocations that one idle frame makes, counted by a replaced allocator.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "counting_allocator.h"
#include "scripted_input.h"
#include "test_widget.h"
#include "toolkit/container.h"
#include "toolkit/gui.h"
#include "toolkit/mouseinput.h"

namespace {

// Draws nothing; the clip stack of the base class still does its work.
class CountingGraphics : public lmt::Graphics {
public:
    using lmt::Graphics::drawImage;
    void drawImage(const lmt::Image*, int32_t, int32_t, int32_t, int32_t) override { ++calls; }
    void drawPoint(int32_t, int32_t) override { ++calls; }
    void drawLine(int32_t, int32_t, int32_t, int32_t) override { ++calls; }
    void drawRectangle(const lmt::Rectangle&) override { ++calls; }
    void fillRectangle(const lmt::Rectangle&) override { ++calls; }
    void setColor(const lmt::Color& c) override { color = c; }
    const lmt::Color& getColor() const override { return color; }

    int64_t calls = 0;

private:
    lmt::Color color;
};

// A 640 x 480 opaque top holding groups of ten: a container with nine framed
// leaf widgets, until the tree holds `count` widgets besides the top.
class Scene {
public:
    explicit Scene(int32_t count) {
        top.setDimension(lmt::Rectangle(0, 0, 640, 480));
        gui.setTop(&top);
        gui.setGraphics(&graphics);
        gui.setInput(&input);
        for (int32_t made = 0; made < count;) {
            auto group = std::make_unique<lmt::Container>(true);
            const int32_t index = int32_t(groups.size());
            group->setDimension(lmt::Rectangle((index % 8) * 80, (index / 8 % 6) * 80, 78, 78));
            top.add(group.get());
            ++made;
            for (int32_t i = 0; i < 9 && made < count; ++i, ++made) {
                auto leaf = std::make_unique<lmt::test::TestWidget>();
                leaf->setDimension(lmt::Rectangle((i % 3) * 25 + 2, (i / 3) * 25 + 2, 20, 20));
                leaf->setFrameSize(1);
                group->add(leaf.get());
                leaves.push_back(std::move(leaf));
            }
            groups.push_back(std::move(group));
        }
    }

    void frame() {
        gui.logic();
        gui.draw();
    }

    CountingGraphics graphics;
    lmt::test::ScriptedInput input;
    lmt::Container top{true};
    lmt::Gui gui;
    std::vector<std::unique_ptr<lmt::Container>> groups;
    std::vector<std::unique_ptr<lmt::test::TestWidget>> leaves;
};

void BM_IdleFrame(benchmark::State& state) {
    Scene scene(int32_t(state.range(0)));
    scene.frame();  // the clip stack grows once
    int64_t allocations = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        const int64_t before = allocationsSoFar();
        scene.frame();
        allocations += allocationsSoFar() - before;
        ++frames;
    }
    state.counters["allocs_per_frame"] = benchmark::Counter(double(allocations) / double(frames));
    state.counters["draw_calls_per_frame"] = benchmark::Counter(double(scene.graphics.calls) / double(frames + 1));
    state.SetItemsProcessed(frames * state.range(0));
}
BENCHMARK(BM_IdleFrame)->Arg(100)->Arg(1000);

// A frame in which the pointer moves across the tree: the mouse dispatch's
// hit tests, entered/exited bookkeeping and event copies.
void BM_MouseMoveFrame(benchmark::State& state) {
    Scene scene(int32_t(state.range(0)));
    int32_t step = 0;
    int64_t allocations = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        step = (step + 7) % 640;
        scene.input.queueMouse(lmt::MouseInput(0, lmt::MouseInput::Moved, step, (step * 3) % 480, 0));
        const int64_t before = allocationsSoFar();
        scene.frame();
        allocations += allocationsSoFar() - before;
        ++frames;
    }
    state.counters["allocs_per_frame"] = benchmark::Counter(double(allocations) / double(frames));
}
BENCHMARK(BM_MouseMoveFrame)->Arg(100)->Arg(1000);

}  // namespace
