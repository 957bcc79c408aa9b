#include "app/MemoryPolicy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}
