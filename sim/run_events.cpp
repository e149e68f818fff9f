// The table of what a run asks of the layers above it; empty until the shell fills it.
#include "sim/run_events.h"

RunEvents runEvents = {};
