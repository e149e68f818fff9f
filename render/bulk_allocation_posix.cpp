// The art's heap policy with the GNU C library's allocator settings.
#include <malloc.h>

#include "render/bulk_allocation.h"

namespace {

// Mapping a fresh block for every picture cost a page fault and a zeroed page per 4 KiB, nearly
// half of the time spent loading the art, and a freed block was given back to the system
// instead of serving the next picture.
constexpr int defaultMmapMax = 65536;
constexpr int defaultTrimThreshold = 128 * 1024;
constexpr int bulkTrimThreshold = 1 << 30;
constexpr int defaultArenaMax = 0;  // glibc's own choice, from the number of cores

}  // namespace

void beginBulkAllocation() {
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, bulkTrimThreshold);
}

void endBulkAllocation() {
  mallopt(M_ARENA_MAX, defaultArenaMax);
  mallopt(M_MMAP_MAX, defaultMmapMax);
  mallopt(M_TRIM_THRESHOLD, defaultTrimThreshold);
  malloc_trim(0);
}
