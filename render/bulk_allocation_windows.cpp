// The art's heap policy on Windows: the process heap has no settings for it.
#include "render/bulk_allocation.h"

// Windows' heap keeps freed blocks for the next request on its own and has no knob for the
// large ones, so loading the art changes nothing here.
void beginBulkAllocation() {}
void endBulkAllocation() {}
