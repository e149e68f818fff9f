// The web's heap is one block of WebAssembly memory that only grows: nothing is mapped or given
// back per picture, so there is no policy to change while the art loads.
#include "render/bulk_allocation.h"

void beginBulkAllocation() {}
void endBulkAllocation() {}
