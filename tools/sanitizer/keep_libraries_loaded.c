/* Linked into sanitizer builds only: shared libraries stay loaded until the process ends.
 *
 * LeakSanitizer looks for leaks after main returns, when the window system has already
 * unloaded the GL driver. Mesa's software driver keeps two small blocks for its whole life; once
 * it is unloaded they can no longer be reached nor named, so they would be reported as a leak
 * of the game that no suppression can match. Left loaded, the driver's own globals still point
 * at them, while anything the game itself loses stays unreachable and is reported. */
#include <stddef.h>

int dlclose(void* handle) {
  (void)handle;
  return 0;
}
