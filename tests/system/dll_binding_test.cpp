#include "runtime/system/dll_binding.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/system/utility_commands.h"

#include "system_test_support.h"

namespace {

using Add = int (*)(int, int);

std::string library() { return KRV_DECLARE_TEST_LIBRARY; }

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

class DllBinding : public SystemTest {
protected:
    void SetUp() override {
        SystemTest::SetUp();
        attachDebugger(true);
    }
    Add bind(const std::string& dll, const char* function) {
        void* out = reinterpret_cast<void*>(1);
        bindDllFunction(RtString(dll.c_str()), RtString(function), out);
        return reinterpret_cast<Add>(out);
    }
};

TEST_F(DllBinding, BindsFunctionsExactlyAsNamed) {
    Add add = bind(library(), "krvAdd");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(2, 3), 5);
    Add subtract = bind(library(), "KRVADD");
    ASSERT_NE(subtract, nullptr);
    EXPECT_EQ(subtract(2, 3), -1);
    EXPECT_EQ(bind(library(), "krvadd"), nullptr);
    EXPECT_EQ(bind(library(), ""), nullptr);
    EXPECT_EQ(debugger, "");
    EXPECT_EQ(boundDllCount(), 1);
}

TEST_F(DllBinding, OneEntryForNamesThatDifferInCase) {
    ASSERT_NE(bind(library(), "krvAdd"), nullptr);
    // The upper-case spelling names no file, yet it is the library bound before.
    Add again = bind(upper(library()), "krvAdd");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again(1, 1), 2);
    EXPECT_EQ(boundDllCount(), 1);
    EXPECT_EQ(std::string(boundDllName(0).data), library());
}

TEST_F(DllBinding, LowerCaseNameAsFallback) {
    if (library() != [](std::string s) {
            std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
            return s;
        }(library())) {
        GTEST_SKIP() << "the build folder's path is not in lower case";
    }
    Add add = bind(upper(library()), "krvAdd");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(4, 4), 8);
    EXPECT_EQ(std::string(boundDllName(0).data), upper(library()));
}

TEST_F(DllBinding, MissingLibraryIsTriedEveryTime) {
    const std::string missing = "/no/such/folder/libmissing.so";
    EXPECT_EQ(bind(missing, "krvAdd"), nullptr);
    EXPECT_EQ(bind(missing, "krvAdd"), nullptr);
    const std::string line = "TXDECLARE module not found: " + missing + "\n";
    EXPECT_EQ(debugger, line + line);
    EXPECT_EQ(boundDllCount(), 0);

    debugger.clear();
    attachDebugger(false);
    EXPECT_EQ(bind(missing, "krvAdd"), nullptr);
    EXPECT_EQ(debugger, "");
}

TEST_F(DllBinding, TableKeepsBindingOrder) {
    ASSERT_NE(bind(library(), "krvAdd"), nullptr);
    void* out = nullptr;
    bindDllFunction(RtString("libm.so.6"), RtString("cos"), out);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(boundDllCount(), 2);
    EXPECT_EQ(std::string(boundDllName(1).data), "libm.so.6");
    EXPECT_EQ(std::string(boundDllName(2).data), "");
    EXPECT_EQ(std::string(boundDllName(-1).data), "");
}

// A program that binds OpenGL functions may draw with them between the
// renderer's own drawing: the renderer must know.
TEST_F(DllBinding, BindingAnOpenGlFunctionIsNoted) {
    struct Case {
        std::string library;
        const char* function;
        uint8_t noted;
    };
    const Case cases[] = {
        {"libm.so.6", "cos", 0},
        {library(), "krvAdd", 0},
        {"libGL.so.1", "glNoSuchFunction", 0},
        {"libGL.so.1", "glClear", 1},
        {"libGL.so.1", "glXGetProcAddressARB", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        runtimeState().programCallsGl = 0;
        void* out = nullptr;
        bindDllFunction(RtString(c.library.c_str()), RtString(c.function), out);
        EXPECT_EQ(runtimeState().programCallsGl, c.noted);
    }
    runtimeState().programCallsGl = 0;
}

// The process exit frees the libraries in binding order; left to the loader
// they would go in the reverse order of loading.
TEST_F(DllBinding, ExitFreesLibrariesInBindingOrder) {
    const std::filesystem::path log = std::filesystem::temp_directory_path() /
                                      ("krv_unload_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".log");
    struct Case {
        std::vector<std::string> libraries;
        std::string unloaded;
    };
    const Case cases[] = {
        {{KRV_DECLARE_TEST_LIBRARY, KRV_DECLARE_SECOND_LIBRARY}, "first\nsecond\n"},
        {{KRV_DECLARE_SECOND_LIBRARY, KRV_DECLARE_TEST_LIBRARY}, "second\nfirst\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(log);
        std::string command = "env KRV_UNLOAD_LOG=" + log.string() + " " + KRV_DECLARE_EXIT_PROBE;
        for (const std::string& library : c.libraries) command += " " + library;
        double exitCode = -1;
        ASSERT_EQ(runProcess(RtString(command.c_str()), 1, 0, exitCode), 1.0);
        EXPECT_EQ(exitCode, 0.0);
        std::ifstream in(log);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), c.unloaded);
    }
    std::filesystem::remove(log);
}

}  // namespace
