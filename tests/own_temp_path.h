// Test helper: a file name in the temporary folder that carries this process's
// id, so that tests run side by side (ctest -j, two builds at once) never write
// or read each other's files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>  // Required for: getpid

#include <string>

inline std::string ownTempPath(const std::string& name) {
    return ::testing::TempDir() + "krv_" + std::to_string(::getpid()) + "_" + name;
}
