#include "runtime/platform/environment.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(Environment, SetReadAndRemove) {
    const std::string name = "KRV_PLATFORM_ENV_TEST";
    platform::setEnvironmentValue(name, "one two=3");
    EXPECT_EQ(platform::environmentValue(name), "one two=3");

    std::vector<std::string> entries = platform::environmentEntries();
    EXPECT_NE(std::find(entries.begin(), entries.end(), name + "=one two=3"), entries.end());

    platform::setEnvironmentValue(name, "");
    EXPECT_EQ(platform::environmentValue(name), std::nullopt);
    entries = platform::environmentEntries();
    EXPECT_EQ(std::find_if(entries.begin(), entries.end(),
                           [&](const std::string& e) { return e.rfind(name + "=", 0) == 0; }),
              entries.end());
}

TEST(Environment, NamesThatCannotBeVariables) {
    platform::setEnvironmentValue("", "x");
    platform::setEnvironmentValue("A=B", "x");
    EXPECT_EQ(platform::environmentValue(""), std::nullopt);
    EXPECT_EQ(platform::environmentValue("A=B"), std::nullopt);
    EXPECT_EQ(platform::environmentValue("A"), std::nullopt);
}

}  // namespace
