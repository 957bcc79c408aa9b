#include "app/MemoryPolicy.h"

#include <cstdlib>  // defines __GLIBC__ with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

bool KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  // 32 MB is the largest threshold the library's manual gives for 64-bit
  // systems; a refused value would leave the defaults.
  const bool mapped = mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024) == 1;
  const bool trimmed = mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024) == 1;
  return mapped && trimmed;
#else
  return false;
#endif
}
