#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "runtime/core/string_functions.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

TEST(Mid, Table) {
    struct Case {
        int32_t start;
        int32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {1, 3, "ell"},  {1, -1, "ello"}, {3, 10, "lo"},       {5, 2, ""},  {-1, 3, ""},
        {-1, -1, ""},   {0, 0, ""},      {0, 5, "hello"},     {6, 1, ""},  {4, INT32_MAX, "o"},
        {INT32_MAX, INT32_MAX, ""},      {INT32_MIN, INT32_MAX, ""},       {2, INT32_MIN, "llo"},
    };
    const RtString hello("hello");
    for (const Case& c : cases) {
        EXPECT_EQ(text(mid(hello, c.start, c.count)), c.expected) << c.start << ", " << c.count;
    }
    EXPECT_EQ(mid(hello, 0, 0).data, RtString::sharedEmpty());
}

TEST(ReplaceAll, Table) {
    struct Case {
        const char* source;
        const char* find;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"a.b.c", ".", "/", "a/b/c"}, {"abab", "ab", "x", "xx"},   {"aaa", "a", "aa", "aaaaaa"},
        {"abb", "ab", "a", "ab"},     {"hello", "z", "y", "hello"}, {"hello", "", "y", "hello"},
        {"", "a", "b", ""},           {"aXbX", "X", "", "ab"},     {"XXX", "XX", "Y", "YX"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(replaceAll(RtString(c.source), RtString(c.find), RtString(c.replacement))), c.expected)
            << c.source << " / " << c.find << " / " << c.replacement;
    }
}

TEST(Find, TableOverAllFourForms) {
    struct Case {
        const char* text;
        const char* pattern;
        uint32_t start;
        int32_t expected;
    };
    const Case cases[] = {
        {"abcabc", "bc", 0, 1}, {"abcabc", "bc", 2, 4}, {"abcabc", "bc", 5, -1}, {"abcabc", "", 6, 6},
        {"abcabc", "", 7, -1},  {"abcabc", "bc", static_cast<uint32_t>(-1), -1}, {"", "", 0, 0},
        {"", "a", 0, -1},
    };
    for (const Case& c : cases) {
        const RtString text(c.text);
        const RtString pattern(c.pattern);
        EXPECT_EQ(find(c.text, c.pattern, c.start), c.expected);
        EXPECT_EQ(find(text, c.pattern, c.start), c.expected);
        EXPECT_EQ(find(c.text, pattern, c.start), c.expected);
        EXPECT_EQ(find(text, pattern, c.start), c.expected);
    }
    EXPECT_EQ(find(static_cast<const char*>(nullptr), "a"), -1);
}

TEST(FindFirstOf, SetsAndEmptySets) {
    const char* text = "hello, world";
    EXPECT_EQ(findFirstOf(text, " ,"), text + 5);
    EXPECT_EQ(findFirstOf(text, "xyz"), nullptr);
    EXPECT_EQ(findFirstOf(text, ""), nullptr);
    EXPECT_EQ(findFirstNotOf(text, "hel"), text + 4);
    EXPECT_EQ(findFirstNotOf(text, ""), text);
    EXPECT_EQ(findFirstNotOf("aaa", "a"), nullptr);
    EXPECT_EQ(findFirstNotOf("", ""), nullptr);
}

TEST(CaseCopies, LeaveTheSourceAndHighBytes) {
    const RtString source("ab1\xE9Yz");
    EXPECT_EQ(text(toUpperCopy(source)), "AB1\xE9YZ");
    EXPECT_EQ(text(toLowerCopy(source)), "ab1\xE9yz");
    EXPECT_EQ(text(source), "ab1\xE9Yz");
}

TEST(BytesToHex, Table) {
    const uint8_t bytes[] = {0x0A, 0xFF, 0x00, 0x7C};
    EXPECT_EQ(text(bytesToHex(bytes, 2)), "0AFF");
    EXPECT_EQ(text(bytesToHex(bytes, 4)), "0AFF007C");
    EXPECT_EQ(bytesToHex(bytes, 0).data, RtString::sharedEmpty());
    EXPECT_EQ(bytesToHex(bytes, -3).length, 0u);
}

}  // namespace
