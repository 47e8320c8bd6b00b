#include "runtime/platform/console.h"

#include <gtest/gtest.h>

namespace {

TEST(Console, WritesBytesWithoutAdding) {
    ::testing::internal::CaptureStdout();
    platform::writeStandardOutput("a");
    platform::writeStandardOutput("a");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "aa");

    ::testing::internal::CaptureStderr();
    platform::writeStandardError("e\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "e\n");
}

}  // namespace
