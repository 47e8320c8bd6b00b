#include "runtime/system/utility_commands.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/dialog.h"
#include "system_test_support.h"

namespace {

using UtilityCommands = SystemTest;

std::string text(const RtString& s) { return std::string(s.data, s.length); }

TEST_F(UtilityCommands, CharacterCodes) {
    EXPECT_EQ(charCode(RtString("")), 0);
    EXPECT_EQ(charCode(RtString("A")), 65);
    EXPECT_EQ(charCode(RtString("\xE9z")), 0xE9);
    RtString a = charString(65);
    EXPECT_EQ(text(a), "A");
    RtString zero = charString(0);
    EXPECT_EQ(zero.length, 1u);
    EXPECT_EQ(zero.data[0], '\0');
    EXPECT_EQ(charCode(charString(200)), 200);
}

TEST_F(UtilityCommands, FormatNumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double width, decimals, value;
        std::string expected;
    };
    const Case cases[] = {
        {8, 2, 3.14159, "    3.14"},
        {8.9, 2.9, 3.14159, "    3.14"},
        {0, 2, 3.14159, "3.14"},
        {0, 0, 2.5, "2"},
        {5, 2, -1.5, "-1.50"},
        {-8, 2, 3.14159, "3.14    "},
        {8, -3, 3.7, "       4"},
        {3, 1, 1234.56, "1234.6"},
        {0, 2, nan, "nan"},
        {0, 0, -std::numeric_limits<double>::infinity(), "-inf"},
        {0, 45, 0.5, "0.500000000000000000000000000000000000000000000"},
        {0, 46, 0.5, "0.500000000000000000000000000000000000000000000"},
        {60, 2, 1.0, std::string(47, ' ')},
        {50, 2, 1.0, std::string(46, ' ') + "1"},
        {-60, 2, 1.0, "1.00" + std::string(43, ' ')},
        {-2147483648.0, 0, 7.0, "7" + std::string(46, ' ')},
        {2147483647.0, 0, 7.0, std::string(47, ' ')},
        {0, 1e9, 1.0 / 3.0, "0.333333333333333314829616256247390992939472198"},
        {0, 0, 1e300, "1000000000000000052504760255204420248704468581108"},
    };
    for (const Case& c : cases) {
        RtString result = formatNumber(c.width, c.decimals, c.value);
        std::string expected = c.expected.substr(0, 47);
        EXPECT_EQ(text(result), expected) << c.width << " " << c.decimals << " " << c.value;
        EXPECT_LE(result.length, 47u);
        EXPECT_EQ(std::strlen(result.data), result.length);
    }
}

struct SplitCase {
    const char* text;
    const char* delimiters;
    std::vector<std::string> parts;
};

std::vector<std::string> partsOf(const RtArray<RtString>& parts) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < parts.bounds(0); ++i) out.push_back(text(parts.at(i)));
    return out;
}

TEST_F(UtilityCommands, SplitString) {
    const SplitCase cases[] = {
        {",a,,b,", ",", {"a", "b"}},
        {"", ",", {}},
        {",,,", ",", {}},
        {"a b,c", ", ", {"a", "b", "c"}},
        {"  word  ", " ", {"word"}},
        {"abc", "", {"abc"}},
        {"one", ",", {"one"}},
        {"x;y;;z", ";", {"x", "y", "z"}},
    };
    for (const SplitCase& c : cases) {
        RtArray<RtString> parts;
        parts.dim(5);  // old contents go, whatever they were
        int32_t count = splitString(RtString(c.text), parts, RtString(c.delimiters));
        EXPECT_EQ(count, static_cast<int32_t>(c.parts.size())) << c.text;
        EXPECT_EQ(partsOf(parts), c.parts) << c.text;
    }
}

TEST_F(UtilityCommands, SplitStringOfItsOwnElement) {
    RtArray<RtString> parts;
    parts.dim(2, 2);
    parts.at(1, 1) = RtString("p,q,r");
    EXPECT_EQ(splitString(parts.at(1, 1), parts, RtString(",")), 3);
    EXPECT_EQ(partsOf(parts), (std::vector<std::string>{"p", "q", "r"}));
    EXPECT_EQ(parts.bounds(1), 0);
}

TEST_F(UtilityCommands, RunProcess) {
    struct Case {
        const char* commandLine;
        double wait;
        double started;
        double exitCode;
    };
    const Case cases[] = {
        {"true", 1, 1, 0},
        {"sh -c 'exit 3'", 1, 1, 3},
        {"sh -c \"exit 300\"", 1, 1, 44},
        {"sh -c 'exit 3'", 0, 1, 0},
        {"no-such-program-anywhere --flag", 1, 0, 0},
        {"no-such-program-anywhere", 0, 0, 0},
        {"", 1, 0, 0},
        {"   ", 1, 0, 0},
        {"sh -c 'unterminated", 1, 0, 0},
    };
    for (const Case& c : cases) {
        double exitCode = 99;
        EXPECT_EQ(runProcess(RtString(c.commandLine), c.wait, 1, exitCode), c.started) << c.commandLine;
        EXPECT_EQ(exitCode, c.exitCode) << c.commandLine;
    }
}

// A dialog that records the request and gives a scripted answer.
class FileRequest : public SystemTest {
protected:
    void SetUp() override {
        SystemTest::SetUp();
        platform::setFileDialogHook([this](const platform::FileDialogRequest& r) {
            request = r;
            return answer;
        });
    }
    void TearDown() override {
        platform::setFileDialogHook({});
        SystemTest::TearDown();
    }
    std::vector<std::pair<std::string, std::vector<std::string>>> filters() const {
        std::vector<std::pair<std::string, std::vector<std::string>>> out;
        for (const auto& f : request.filters) out.emplace_back(f.description, f.patterns);
        return out;
    }

    platform::FileDialogRequest request;
    std::optional<std::string> answer;
};

TEST_F(FileRequest, AnswersAndCancel) {
    answer = "C:\\games\\save.dat";
    EXPECT_EQ(text(fileRequest(1, RtString("Saves|*.dat"))), "C:/games/save.dat");
    EXPECT_EQ(request.mode, platform::FileDialogMode::open);
    EXPECT_EQ(request.initialFolder, std::filesystem::current_path().string());

    answer = "/home/u/out.png";
    EXPECT_EQ(text(fileRequest(0, RtString(""))), "/home/u/out.png");
    EXPECT_EQ(request.mode, platform::FileDialogMode::save);

    for (std::optional<std::string> cancelled : {std::optional<std::string>(), std::optional<std::string>("")}) {
        answer = cancelled;
        EXPECT_EQ(text(fileRequest(1, RtString("All|*.*"))), "NO_FILE");
        EXPECT_EQ(runtimeState().errorCode, 0);
    }
}

TEST_F(FileRequest, FilterPairs) {
    using Filters = std::vector<std::pair<std::string, std::vector<std::string>>>;
    struct Case {
        const char* filter;
        Filters expected;
    };
    const Case cases[] = {
        {"", {}},
        {"Pictures|*.png;*.bmp|All|*.*", {{"Pictures", {"*.png", "*.bmp"}}, {"All", {"*.*"}}}},
        {"Text|*.txt|", {{"Text", {"*.txt"}}}},
        {"Text|*.txt|Lonely", {{"Text", {"*.txt"}}}},
        {"Text||All|*.*", {}},
        {"|*.txt", {}},
        {"Both|*.a;;*.b;", {{"Both", {"*.a", "*.b"}}}},
    };
    answer = "/x";
    for (const Case& c : cases) {
        fileRequest(1, RtString(c.filter));
        EXPECT_EQ(filters(), c.expected) << c.filter;
    }
}

TEST_F(FileRequest, LongFilterIsCutAtItsRoom) {
    // Description and pattern pairs of 10 bytes each way past the 1024-byte room.
    std::string filter;
    for (int i = 0; i < 300; ++i) filter += "Name" + std::to_string(1000 + i) + "|*.x" + std::to_string(1000 + i) + "|";
    answer = "/x";
    fileRequest(1, RtString(filter.c_str()));
    std::size_t bytes = 0;
    for (const auto& f : request.filters) bytes += f.description.size() + f.patterns.at(0).size() + 2;
    EXPECT_LE(bytes, 1022u);
    EXPECT_GE(request.filters.size(), 50u);
    EXPECT_EQ(request.filters.front().description, "Name1000");
}

TEST_F(UtilityCommands, WindowHandleAndSourcePosition) {
    runtimeState().window = 7;
    EXPECT_EQ(windowHandle(), 7);
    runtimeState().window = 0;
    EXPECT_EQ(windowHandle(), 0);
    setSourcePosition(9, 120);
    EXPECT_EQ(runtimeState().sourceTag, 9);
    EXPECT_EQ(runtimeState().currentLine, 120);
    openConsole();
}

}  // namespace
