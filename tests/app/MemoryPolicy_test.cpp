#include "app/MemoryPolicy.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The policy must be one the C library takes: it refuses some values without
// a word, and a build that never reaches the call changes nothing either.
TEST(MemoryPolicy, TheLibraryTakesIt) {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the sanitizer's allocator has no such settings";
#endif
#endif
#if defined(__GLIBC__)
  EXPECT_TRUE(KeepFreedMemoryForReuse());
#else
  GTEST_SKIP() << "only the GNU C library has these settings";
#endif
}
