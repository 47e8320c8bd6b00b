// The text-line input's editor alone: typing, Backspace, Enter and the cursor.
#include <gtest/gtest.h>

#include <string>

#include "runtime/input/text_line_editor.h"

namespace {

TEST(TextLineEditorTest, TypingBackspaceAndEnter) {
    TextLineEditor editor(RtString("ab"));
    EXPECT_TRUE(editor.feed('c'));
    EXPECT_TRUE(editor.feed(8));
    EXPECT_TRUE(editor.feed(8));
    EXPECT_STREQ(editor.text.data, "a");
    EXPECT_TRUE(editor.feed(8));
    EXPECT_TRUE(editor.feed(8));  // on an empty line: nothing
    EXPECT_STREQ(editor.text.data, "");
    EXPECT_FALSE(editor.feed(10));
}

TEST(TextLineEditorTest, TypedTextIsStoredAsUtf8AndBackspaceTakesWholeLetters) {
    TextLineEditor editor(RtString("caf\xBF"));  // text of an 8-bit code page
    EXPECT_TRUE(editor.feed(8));
    EXPECT_STREQ(editor.text.data, "caf") << "one byte of code-page text";
    EXPECT_TRUE(editor.feed(0, "A\xC3\xA9" "B\xE2\x82\xAC" "C\xF0\x9F\x98\x80"));
    EXPECT_STREQ(editor.text.data, "cafA\xC3\xA9" "B\xE2\x82\xAC" "C\xF0\x9F\x98\x80");
    struct Step {
        const char* left;
    };
    for (const Step step : {Step{"cafA\xC3\xA9" "B\xE2\x82\xAC" "C"}, {"cafA\xC3\xA9" "B\xE2\x82\xAC"},
                            {"cafA\xC3\xA9" "B"}, {"cafA\xC3\xA9"}, {"cafA"}}) {
        EXPECT_TRUE(editor.feed(8));
        EXPECT_STREQ(editor.text.data, step.left);
    }
    EXPECT_TRUE(editor.feed(8, "\xE2\x82\xAC"));  // typed, then erased in one frame
    EXPECT_STREQ(editor.text.data, "cafA");
    EXPECT_FALSE(editor.feed(10, "!")) << "text typed before Enter still counts";
    EXPECT_STREQ(editor.text.data, "cafA!");
}

TEST(TextLineEditorTest, CursorBlinksEveryTwentyOneIdleFrames) {
    TextLineEditor editor(RtString("x"));
    std::string shown;
    for (int frame = 1; frame <= 63; ++frame) {
        editor.feed(0);
        shown += editor.cursorShown ? '1' : '0';
    }
    EXPECT_EQ(shown, std::string(20, '0') + std::string(21, '1') + std::string(21, '0') + "1");
    EXPECT_STREQ(editor.display().data, "x_");
    editor.feed('y');  // a typed character leaves the count alone
    EXPECT_EQ(editor.idleFrames, 0);
    EXPECT_STREQ(editor.text.data, "xy");
}

}  // namespace
