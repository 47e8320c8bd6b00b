#include "runtime/platform/library.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(SharedLibrary, LoadsAndFindsSymbols) {
    platform::SharedLibrary math("libm.so.6");
    ASSERT_TRUE(math.isOpen());
    auto cosine = reinterpret_cast<double (*)(double)>(math.symbol("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(math.symbol("COS"), nullptr);
    EXPECT_EQ(math.symbol("no_such_symbol_here"), nullptr);
}

TEST(SharedLibrary, MissingLibraryIsClosed) {
    for (const char* name : {"", "libno-such-library.so", "/no/where/lib.so"}) {
        platform::SharedLibrary library(name);
        EXPECT_FALSE(library.isOpen()) << name;
        EXPECT_EQ(library.symbol("cos"), nullptr) << name;
    }
}

TEST(SharedLibrary, MovesOwnership) {
    platform::SharedLibrary first("libm.so.6");
    platform::SharedLibrary second(std::move(first));
    EXPECT_FALSE(first.isOpen());
    EXPECT_TRUE(second.isOpen());
    platform::SharedLibrary third;
    third = std::move(second);
    EXPECT_FALSE(second.isOpen());
    EXPECT_NE(third.symbol("sin"), nullptr);
}

}  // namespace
