// Label and icon: passive widgets that draw a caption or a centred picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_image.h"
#include "support/text.h"
#include "toolkit/exception.h"
#include "toolkit/icon.h"
#include "toolkit/image.h"
#include "toolkit/label.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

TEST(LabelTest, SizeFromCaptionAndNoResizeOnSetCaption) {
    WidgetHarness harness;
    Label label("Hello");
    EXPECT_EQ(label.getWidth(), 35);
    EXPECT_EQ(label.getHeight(), 11);
    label.setCaption("Hi");
    EXPECT_EQ(label.getWidth(), 35);
    label.adjustSize();
    EXPECT_EQ(label.getWidth(), 14);
    EXPECT_FALSE(label.isFocusable());
}

TEST(LabelTest, AlignmentPlacesCaption) {
    WidgetHarness harness;
    Label label("Hi");
    label.setSize(40, 21);
    struct Case {
        int alignment;
        const char* expected;
    } cases[] = {
        {0, "drawText 0 5 \"Hi\""},   // y = 21 / 2 - 11 / 2
        {1, "drawText 13 5 \"Hi\""},  // centred on 20
        {2, "drawText 26 5 \"Hi\""},  // ends at the right edge
    };
    for (const Case& c : cases) {
        label.setAlignment(c.alignment);
        EXPECT_EQ(harness.drawAlone(label), Strings{c.expected});
        EXPECT_EQ(harness.colorOf(c.expected), label.getForegroundColor());
    }
}

TEST(LabelTest, UnknownAlignmentThrows) {
    WidgetHarness harness;
    Label label("Hi");
    label.setAlignment(-1);
    try {
        harness.drawAlone(label);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Unknown alignment.");
        EXPECT_EQ(text(e.getFilename()), "label");
        EXPECT_EQ(e.getLine(), 106);
    }
}

class IconTest : public ::testing::Test {
protected:
    void SetUp() override { Image::setImageLoader(&loader); }
    void TearDown() override { Image::setImageLoader(nullptr); }

    WidgetHarness harness;
    FakeImageLoader loader;
};

TEST_F(IconTest, LoadedImageSizesAndCentres) {
    loader.imageWidth = 20;
    loader.imageHeight = 10;
    Icon icon("logo.png");
    EXPECT_EQ(loader.loaded, std::vector<std::string>{"logo.png"});
    EXPECT_EQ(icon.getWidth(), 20);
    EXPECT_EQ(icon.getHeight(), 10);
    icon.setSize(31, 5);  // larger across, smaller down: negative offset, cut by the clip
    EXPECT_EQ(harness.drawAlone(icon), Strings{"drawImage 5 -2 20 10"});
}

TEST_F(IconTest, SetImageDeletesOnlyTheOwnedImage) {
    // A leak or a double delete shows in the sanitizer build.
    Icon icon("a.png");
    FakeImage given(8, 6);
    icon.setImage(&given);
    EXPECT_EQ(icon.getImage(), &given);
    EXPECT_EQ(icon.getWidth(), 8);
    EXPECT_EQ(icon.getHeight(), 6);
    FakeImage other(4, 4);
    icon.setImage(&other);  // the given image is not the icon's to delete
    EXPECT_EQ(given.width, 8);
}

TEST_F(IconTest, WithoutImageDrawsNothingAndKeepsSize) {
    Icon icon;
    EXPECT_EQ(icon.getWidth(), 0);
    icon.setSize(10, 10);
    icon.setImage(nullptr);
    EXPECT_EQ(icon.getWidth(), 10);
    EXPECT_TRUE(harness.drawAlone(icon).empty());
}

TEST_F(IconTest, LoadWithoutLoaderThrows) {
    Image::setImageLoader(nullptr);
    EXPECT_THROW(Icon("a.png"), Exception);
}

}  // namespace
}  // namespace lmt::test
