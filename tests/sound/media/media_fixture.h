// Test helper: a started runtime over the scripted platform with the fake
// media layer installed and media files in the test's folder.
#pragma once

#include <fstream>

#include "runtime/sound/media_commands.h"
#include "tests/sound/media/fake_media.h"
#include "tests/system/frame/program_fixture.h"

class MediaProgram : public ProgramFrame {
protected:
    void SetUp() override {
        ProgramFrame::SetUp();
        standardSettings();
        ASSERT_EQ(runtimeStartup(nullptr, 1, "Game"), 0);
        setMediaBackend(&media);
    }
    void TearDown() override {
        ProgramFrame::TearDown();
        setMediaBackend(nullptr);
    }
    // A file of that name in the test's folder; its path.
    RtString file(const std::string& name, const std::string& contents = "media") {
        std::ofstream((folder / name).string(), std::ios::binary) << contents;
        return RtString((folder / name).c_str());
    }
    RtString missing() { return RtString((folder / "missing.ogg").c_str()); }

    FakeMedia media;
};
