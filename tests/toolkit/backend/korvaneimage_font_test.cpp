#include <gtest/gtest.h>

#include <memory>

#include "debug_capture.h"
#include "recording_runtime.h"
#include "toolkit/backend/korvanefont.h"
#include "toolkit/backend/korvaneimage.h"
#include "toolkit/backend/korvaneimageloader.h"
#include "toolkit/backend/korvanelistmodel.h"
#include "toolkit/exception.h"

TEST(KorvaneImageLoader, LoadsIntoTheLowestFreeSprite) {
    RecordingRuntime runtime;
    runtime.existingFiles = {"a.png", "b.png"};
    runtime.pictureSizes = {{"a.png", {32, 16}}, {"b.png", {8, 8}}};
    lmt::KorvaneImageLoader loader;
    std::unique_ptr<lmt::Image> a(loader.load(RtString("a.png"), false));
    std::unique_ptr<lmt::Image> b(loader.load(RtString("b.png"), false));
    EXPECT_EQ(a->getSpriteNumber(), 0);
    EXPECT_EQ(b->getSpriteNumber(), 1);
    EXPECT_EQ(a->getWidth(), 32);
    EXPECT_EQ(a->getHeight(), 16);
    a->free();
    EXPECT_EQ(a->getSpriteNumber(), -1);
    std::unique_ptr<lmt::Image> again(loader.load(RtString("b.png"), false));
    EXPECT_EQ(again->getSpriteNumber(), 0);
}

TEST(KorvaneImageLoader, MissingFileThrowsFileNotFound) {
    RecordingRuntime runtime;
    lmt::KorvaneImageLoader loader;
    try {
        loader.load(RtString("only-in-archive.png"), false);
        FAIL() << "no exception";
    } catch (const lmt::Exception& e) {
        EXPECT_STREQ(e.getMessage().data, "File not found");
        EXPECT_STREQ(e.getFunction().data, "?");
        EXPECT_STREQ(e.getFilename().data, "korvaneimageloader");
        EXPECT_EQ(e.getLine(), 41);
    }
}

TEST(KorvaneImage, FreeWithoutASpriteDoesNothing) {
    RecordingRuntime runtime;
    lmt::KorvaneImage image(-1, 0, 0);
    image.free();
    lmt::KorvaneImage held(5, 1, 1);
    held.free();
    held.free();
    EXPECT_EQ(runtime.calls, (std::vector<std::string>{"load sprite  5"}));
}

TEST(KorvaneFont, MeasuresByTheRuntimeFontCell) {
    RecordingRuntime runtime;
    runtime.existingFiles = {"font.png"};
    runtime.fontCells = {{"font.png", {8, 12}}};
    lmt::test::DebugCapture debug;
    lmt::KorvaneFont font(RtString("font.png"));
    EXPECT_EQ(font.getFontNumber(), 1);
    EXPECT_EQ(font.getWidth(RtString("Button")), 48);
    EXPECT_EQ(font.getHeight(), 12);
    EXPECT_EQ(debug.text(), "Font details : \n8\n12\n1\n");
}

TEST(KorvaneFont, MissingFileKeepsTheBuiltInFont) {
    RecordingRuntime runtime;
    lmt::KorvaneFont font(RtString("nowhere.png"));
    EXPECT_EQ(font.getFontNumber(), 0);
    EXPECT_EQ(font.getHeight(), 8);
    EXPECT_EQ(runtime.calls, (std::vector<std::string>{"font 0"}));
}

TEST(KorvaneListModel, AnswersByCountAndArraySize) {
    KorvaneListModel model;
    EXPECT_STREQ(model.getElementAt(0).data, "");
    model.items.dim(3);
    model.items.at(0) = RtString("one");
    model.items.at(1) = RtString("two");
    model.items.at(2) = RtString("three");
    model.count = 3;
    EXPECT_EQ(model.getNumberOfElements(), 3);
    EXPECT_STREQ(model.getElementAt(1).data, "two");
    EXPECT_STREQ(model.getElementAt(3).data, "?");
    EXPECT_STREQ(model.getElementAt(-1).data, "?");
}
