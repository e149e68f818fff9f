// The heap the program holds, read the same way with or without the address sanitizer.
#pragma once

// Bytes the program holds on the heap right now, from the allocator in use: the sanitizer's own
// when the program is built with it (it replaces the C library's), the C library's otherwise.
long heapInUse();
