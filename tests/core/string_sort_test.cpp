#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/rt_array.h"

namespace {

std::vector<std::string> texts(const std::vector<RtString>& v) {
    std::vector<std::string> out;
    for (const RtString& s : v) out.emplace_back(s.data, s.length);
    return out;
}

std::vector<RtString> strings(const std::vector<std::string>& v) {
    std::vector<RtString> out;
    for (const std::string& s : v) out.emplace_back(s.c_str());
    return out;
}

double ignoringCase(const RtString& a, const RtString& b) {
    for (uint32_t i = 0;; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a.data[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b.data[i]));
        if (ca != cb || ca == 0) return ca - cb;
    }
}
double reverseBytes(const RtString& a, const RtString& b) { return -std::strcmp(a.data, b.data) * 0.9 * 2; }
double alwaysLess(const RtString&, const RtString&) { return -1.0; }
double alwaysGreater(const RtString&, const RtString&) { return 1.0; }
double notANumber(const RtString&, const RtString&) { return std::nan(""); }
double fractionLess(const RtString&, const RtString&) { return -0.5; }

void sortAll(std::vector<RtString>& v, StringCompare compare) {
    sortStringArray(v.data(), v.data() + v.size() - 1, compare);
}

TEST(SortStringArray, ByteOrder) {
    std::vector<RtString> v = strings({"pear", "Apple", "fig", "apple"});
    sortAll(v, nullptr);
    EXPECT_EQ(texts(v), (std::vector<std::string>{"Apple", "apple", "fig", "pear"}));
}

TEST(SortStringArray, IgnoringCase) {
    std::vector<RtString> v = strings({"pear", "Apple", "fig", "apple"});
    sortAll(v, ignoringCase);
    const auto sorted = texts(v);
    EXPECT_EQ(ignoringCase(v[0], v[1]), 0);
    EXPECT_EQ(std::vector<std::string>(sorted.begin() + 2, sorted.end()), (std::vector<std::string>{"fig", "pear"}));
}

TEST(SortStringArray, ProgramCompareIsTruncated) {
    std::vector<RtString> v = strings({"a", "c", "b", "e", "d"});
    sortAll(v, reverseBytes);
    EXPECT_EQ(texts(v), (std::vector<std::string>{"e", "d", "c", "b", "a"}));
    EXPECT_EQ(callCompare(&v[0], &v[1], fractionLess), 0);  // -0.5 counts as equal
    EXPECT_EQ(callCompare(&v[0], &v[1], [](const RtString&, const RtString&) { return 0.9; }), 0);
}

// The lowest stack address a compare call has seen: a measure of how deep
// the sort recursed.
uintptr_t lowestStack = UINTPTR_MAX;
double byteOrderTrackingStack(const RtString& a, const RtString& b) {
    volatile char marker = 0;
    lowestStack = std::min(lowestStack, reinterpret_cast<uintptr_t>(&marker));
    return std::strcmp(a.data, b.data);
}

TEST(SortStringArray, OneElementAndSortedInput) {
    std::vector<RtString> one = strings({"only"});
    sortAll(one, nullptr);
    EXPECT_EQ(texts(one), std::vector<std::string>{"only"});

    // Sorted input takes the worst pivot every time; the recursion must stay
    // shallow anyway (one level per element would take far more than 64 KB).
    std::vector<std::string> expected;
    for (int i = 0; i < 6000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%08d", i);
        expected.emplace_back(name);
    }
    for (const bool reversed : {false, true}) {
        std::vector<RtString> v = strings(expected);
        if (reversed) std::reverse(v.begin(), v.end());
        volatile char top = 0;
        lowestStack = UINTPTR_MAX;
        sortAll(v, byteOrderTrackingStack);
        EXPECT_LT(reinterpret_cast<uintptr_t>(&top) - lowestStack, 64u * 1024u);
        EXPECT_EQ(texts(v), expected);
    }
    std::vector<RtString> equal(6000, RtString("same"));
    sortAll(equal, nullptr);
    EXPECT_EQ(texts(equal)[5999], "same");
}

TEST(SortStringArray, RandomInputMatchesTheLibrarySort) {
    std::vector<std::string> input;
    uint32_t state = 12345;
    for (int i = 0; i < 5000; ++i) {
        state = state * 1103515245u + 12345u;
        input.push_back(std::to_string(state % 997));
    }
    std::vector<RtString> v = strings(input);
    sortAll(v, nullptr);
    std::sort(input.begin(), input.end());
    EXPECT_EQ(texts(v), input);
}

TEST(SortStringArray, BadCompareFunctionsStayInsideTheRange) {
    // Each guard string around the range must survive untouched.
    for (StringCompare bad : {alwaysLess, alwaysGreater, notANumber}) {
        std::vector<RtString> v = strings({"guard", "d", "b", "a", "c", "e", "guard"});
        sortStringArray(v.data() + 1, v.data() + 5, bad);
        EXPECT_EQ(texts(v).front(), "guard");
        EXPECT_EQ(texts(v).back(), "guard");
        auto middle = texts(v);
        std::sort(middle.begin() + 1, middle.end() - 1);
        EXPECT_EQ(std::vector<std::string>(middle.begin() + 1, middle.end() - 1),
                  (std::vector<std::string>{"a", "b", "c", "d", "e"}));  // a permutation, nothing lost
    }
}

}  // namespace
