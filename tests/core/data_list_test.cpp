#include <gtest/gtest.h>

#include <string>

#include "fatal_trap.h"
#include "runtime/core/data_list.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

class DataList : public FatalTrap {
protected:
    void SetUp() override {
        FatalTrap::SetUp();
        restoreData(nullptr);
    }
    DataItem items[5] = {{1.5, nullptr}, {0.0, "abc"}, {3.0, nullptr}, {0.0, "12abc"}, {0.0, "-3.9"}};
    DataBlock block{items, 3, 0};
};

TEST_F(DataList, ReadsInOrderThenRunsOut) {
    restoreData(&block);
    RtString a, b;
    int32_t c = 0;
    readDataString(a);
    readDataString(b);
    readDataInt(c);
    EXPECT_EQ(text(a), "1.5");
    EXPECT_EQ(text(b), "abc");
    EXPECT_EQ(c, 3);
    runtimeState().currentLine = 77;
    RtString d("untouched");
    try {
        readDataString(d);
        FAIL() << "a fourth read must stop the program";
    } catch (const FatalErrorThrown& fatal) {
        EXPECT_EQ(fatal.code, 20);
        EXPECT_EQ(fatal.line, 77);
    }
    EXPECT_EQ(text(d), "untouched");
}

TEST_F(DataList, Conversions) {
    DataBlock all{items, 5, 0};
    restoreData(&all);
    double number = 0;
    RtString s;
    int32_t i = 0;
    readDataDouble(number);
    EXPECT_EQ(number, 1.5);
    readDataDouble(number);
    EXPECT_EQ(number, 0.0);  // "abc" is no number
    readDataString(s);
    EXPECT_EQ(text(s), "3");
    readDataDouble(number);
    EXPECT_EQ(number, 12.0);
    readDataInt(i);
    EXPECT_EQ(i, -3);
}

TEST_F(DataList, ReadBeforeRestoreIsOutOfData) {
    double number = 0;
    EXPECT_EQ(fatalCodeOf([&] { readDataDouble(number); }), 20);
}

TEST_F(DataList, RestoreRewindsEachBlock) {
    DataItem otherItems[1] = {{9.0, nullptr}};
    DataBlock other{otherItems, 1, 0};
    double number = 0;
    restoreData(&block);
    readDataDouble(number);
    readDataDouble(number);
    restoreData(&other);
    readDataDouble(number);
    EXPECT_EQ(number, 9.0);
    EXPECT_EQ(fatalCodeOf([&] { readDataDouble(number); }), 20);
    restoreData(&block);
    readDataDouble(number);
    EXPECT_EQ(number, 1.5);
}

}  // namespace
