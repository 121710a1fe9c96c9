#include "app/Memory_policy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#ifdef BRINDLEMOT_SANITIZE
// From the sanitizers' runtime, whose headers Debian leaves out.
extern "C" void __sanitizer_purge_allocator();
#endif

namespace
{

// What the renderers do every time a screen comes and goes: a frame target's
// worth of memory taken, written and freed.
void take_and_free_a_frame_target()
{
    size_t const bytes = size_t(1280) * 720 * 16 * 2;
    auto* block = static_cast<unsigned char*>(std::malloc(bytes));
    ASSERT_NE(nullptr, block);
    std::memset(block, 1, bytes);
    // Read back, so that the compiler cannot leave the block out.
    volatile unsigned char const kept = block[bytes / 2];
    EXPECT_EQ(1, kept);
    std::free(block);
}

} // namespace

TEST(Memory_policy, freed_frame_targets_leave_the_resident_set)
{
    return_large_blocks_to_the_system();
    long const before = resident_kb();
    ASSERT_GT(before, 0);
    // The first free raised the C library's own threshold: the second block
    // then came from the heap and stayed there.
    for (int i = 0; i < 3; ++i) take_and_free_a_frame_target();
#ifdef BRINDLEMOT_SANITIZE
    // The sanitizers' allocator stands in for the C library's and holds freed
    // blocks back to catch late reads; once it lets them go, they must be gone.
    __sanitizer_purge_allocator();
#endif
    EXPECT_LT(resident_kb() - before, 8 * 1024);
}
