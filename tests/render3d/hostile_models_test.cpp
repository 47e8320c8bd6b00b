// Models and object sets made to cost memory and time, each loaded in a
// child process whose address space may grow only by a fixed budget and
// which is killed when it runs far too long: loads whose lists are sized to
// their counts fit, files are read only as far as they declare, a large
// set index is indexed once, and running out of storage is a failed load
// ("# malloc error", result 0, slot empty) on every path instead of an abort.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/rainbows_3d.h"
#include "tests/capped_child.h"
#include "tests/render3d/model_fixtures.h"

namespace {

constexpr size_t kMegabyte = size_t{1} << 20;

bool report(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "failed: %s\n", what);
    return ok;
}

// A record-form model of frames frames, each of the same one triangle.
std::string modelOfFrames(int frames) {
    MeshObject model;
    model.groupKeys.append(0x00336699);
    for (int f = 0; f < frames; ++f) {
        model.frames.append(MeshFrame{});
        for (int k = 0; k < 3; ++k) {
            MeshVertex v;
            v.x = static_cast<float>(k == 1);
            v.y = static_cast<float>(k == 2) + static_cast<float>(f);
            v.setKeyAndColour(0x00336699);
            model.frames.data[f].vertices.append(v);
        }
    }
    std::string bytes;
    encodeDdd(model, bytes);
    return bytes;
}

// A text-form model of a few hundred kilobytes whose one polygon of 100,000
// corners is repeated in each of its 200 frames: 1.7 GB of records.
std::string textModelBeyondStorage() {
    std::string text = "DDDA 1 0 1 255 255 255 100000";
    for (int c = 0; c < 100000; ++c) text += " 0 0";
    text += " 200";
    for (int f = 0; f < 200; ++f) text += " 1 0 0 0";
    return text;
}

class HostileModels : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef KRV_ADDRESS_SANITIZER
        GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space cap";
#endif
    }

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = log.folder.file(name);
        writeBytes(path, bytes);
        return path;
    }
    std::string writeIndex(const std::string& name, const std::string& objects) {
        return write(name, ";DDW\r\n[objects]\r\n" + objects);
    }
    // Slot n holds nothing after a failed load.
    bool slotEmpty(int n) {
        const ObjectSlot& s = engine.objects.data[n];
        for (int32_t i = 0; i < s.meshes.count; ++i) {
            if (s.meshes.data[i].frames.count != 0) return false;
        }
        return s.used == 0;
    }
    // The log's last lines are "# malloc error" and then name (when given).
    bool loggedStorageFailure(const std::string& name) {
        const std::vector<std::string> lines = log.lines();
        if (name.empty()) return !lines.empty() && lines.back() == "# malloc error";
        return lines.size() >= 2 && lines[lines.size() - 2] == "# malloc error" && lines.back() == name;
    }

    ErrorLogCapture log;
    Rainbows3D engine{nullptr};
};

TEST_F(HostileModels, ListsAreSizedToTheirCounts) {
    // Each of 5,000 frames and each of 1,000 meshes once took 90 KB or more.
    const std::string frames = write("frames.ddd", modelOfFrames(5000));
    const std::string tiny = write("tiny.ddd", modelOfFrames(1));
    std::string objects = "count=1000\r\n";
    for (int i = 1; i <= 1000; ++i) objects += std::to_string(i) + "=tiny.ddd\r\n";
    const std::string set = writeIndex("thousand.ini", objects);
    EXPECT_TRUE(passesInCappedChild(64 * kMegabyte, 60, [&] {
        return report(engine.loadObject(frames.c_str(), 1) == 1, "5,000 frames load") &&
               report(engine.objects.data[1].meshes.data[0].frames.count == 5000, "5,000 frames") &&
               report(engine.loadObject(set.c_str(), 2) == 1, "1,000 models load") &&
               report(engine.objects.data[2].meshes.count == 1000, "1,000 meshes") &&
               report(engine.objects.data[2].meshes.data[999].frames.data[0].triangles.count == 3, "the last is built");
    }));
}

TEST_F(HostileModels, AnIndexOfAHundredThousandModelsLoads) {
    write("tiny.ddd", modelOfFrames(1));
    std::string objects = "count=100000\r\n";
    for (int i = 1; i <= 100000; ++i) objects += std::to_string(i) + "=tiny.ddd\r\n" + std::to_string(i) + "ta=0\r\n";
    const std::string set = writeIndex("large.ini", objects);
    // A million file calls: the limit only catches a hang, even on a busy machine.
    EXPECT_TRUE(passesInCappedChild(512 * kMegabyte, 300, [&] {
        return report(engine.loadObject(set.c_str(), 1) == 1, "the set loads") &&
               report(engine.objects.data[1].meshes.count == 100000, "100,000 meshes") &&
               report(engine.objects.data[1].meshes.data[99999].frames.count == 1, "the last is loaded");
    }));
}

TEST_F(HostileModels, AModelAtTheHeadOfAHugeSparseFileReadsOnlyItself) {
    struct Case {
        const char* name;
        std::string model;
        int32_t triangles;
    };
    const Case cases[] = {
        {"record form", modelOfFrames(2), 1},
        {"text form", "DDDA 1 0 1 255 0 0 3 0 0 1 0 2 0 1 3 0 0 0 1 0 0 0 1 0 ", 1},
    };
    for (const Case& c : cases) {
        const std::string path = write(std::string(c.name) + ".ddd", c.model);
        const int fd = open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, off_t{1} << 30), 0);  // a gigabyte of holes after the model
        close(fd);
        EXPECT_TRUE(passesInCappedChild(64 * kMegabyte, 60, [&] {
            return report(engine.loadObject(path.c_str(), 1) == 1, "the model loads") &&
                   report(engine.objects.data[1].meshes.data[0].frames.data[0].triangles.count == 3 * c.triangles,
                          "its triangles");
        })) << c.name;
    }
}

TEST_F(HostileModels, RunningOutOfStorageIsAFailedLoadOnEveryPath) {
    const std::string model = write("beyond.ddd", textModelBeyondStorage());
    write("tiny.ddd", modelOfFrames(1));
    const std::string set = writeIndex("set.ini", "count=2\r\n1=tiny.ddd\r\n2=beyond.ddd\r\n");
    EXPECT_TRUE(passesInCappedChild(128 * kMegabyte, 60, [&] {
        return report(engine.loadObject(model.c_str(), 1) == 0, "the model fails") && report(slotEmpty(1), "model slot") &&
               report(loggedStorageFailure(model), "model logged");
    })) << "a model file";
    EXPECT_TRUE(passesInCappedChild(128 * kMegabyte, 60, [&] {
        return report(engine.loadObject(set.c_str(), 2) == 0, "the set fails") && report(slotEmpty(2), "set slot") &&
               report(engine.objects.data[2].meshes.count == 0, "no meshes") &&
               report(loggedStorageFailure(model), "the set's model logged");
    })) << "an object set";
    EXPECT_TRUE(passesInCappedChild(128 * kMegabyte, 60, [&] {
        engine.normalMode = 2;
        engine.builderBeginObject(3, 1);
        for (int i = 0; i < 4000000; ++i) engine.builderAddVertex(static_cast<float>(i), 0, static_cast<float>(i % 2), 0, 0, 0xFF);
        engine.builderEndObject();
        return report(engine.builderObject == -1, "the builder is closed") && report(slotEmpty(3), "built slot") &&
               report(loggedStorageFailure(""), "build logged");
    })) << "the builder";
}

}  // namespace
