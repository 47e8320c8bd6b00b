// Empty strings never allocate: this binary counts every global allocation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "runtime/core/string_functions.h"
#include "runtime/core/string_operators.h"

namespace {
int allocations = 0;
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Allocations made while the action runs.
template <class F>
int allocationsOf(F action) {
    const int before = allocations;
    action();
    return allocations - before;
}

TEST(EmptyStrings, NeverAllocate) {
    const RtString empty;
    const RtString full("x");
    EXPECT_EQ(allocationsOf([] { RtString s; }), 0);
    EXPECT_EQ(allocationsOf([] { RtString s(""); }), 0);
    EXPECT_EQ(allocationsOf([] { RtString s(static_cast<const char*>(nullptr)); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s(empty); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s(empty); s = empty; s = ""; s.assign(""); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s; s += ""; s += empty; s.reserve(0, true); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s = empty + ""; RtString t = TextRef("") + TextRef(""); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s = mid(full, 1, 5); RtString t = mid(full, 0, 0); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s = toUpperCopy(empty); RtString t = replaceAll(empty, full, full); }), 0);
    EXPECT_EQ(allocationsOf([&] { RtString s(full); s.clear(); }), 1);  // the counter does count
}

}  // namespace
