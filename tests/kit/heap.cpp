// Reading the heap in use from whichever allocator the build links.
#include "kit/heap.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define NAVRO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NAVRO_ASAN 1
#endif
#endif
#ifdef NAVRO_ASAN
#include <sanitizer/allocator_interface.h>
#endif

long heapInUse() {
#ifdef NAVRO_ASAN
  return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>(m.uordblks + m.hblkhd);
#endif
}
