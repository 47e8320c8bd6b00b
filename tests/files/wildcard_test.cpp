#include "runtime/files/wildcard.h"

#include <gtest/gtest.h>

namespace {

TEST(WildcardMatch, Rules) {
    struct Case {
        const char* pattern;
        const char* name;
        int match;
    };
    const Case cases[] = {
        {"*.TXT", "readme.txt", 1},
        {"a?c", "a.c", 0},
        {"a?c", "abc", 1},
        {"*.*", "README", 1},
        {"*", "", 1},
        {"ab*", "ab", 1},
        {"*b", "abc", 0},
        {"*b", "abcb", 1},
        {"*.png", "b.PNG", 1},
        {"*.png", "c.txt", 0},
        {"a*b*c", "axxbyyc", 1},
        {"a*b*c", "axxbyy", 0},
        {"**x", "aax", 1},
        {"", "", 1},
        {"", "a", 0},
        {"abc", "ab", 0},
        {"?", "", 0},
        {"x*", "X", 1},
        {"*.*.*", "a.b", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
    }
}

}  // namespace
