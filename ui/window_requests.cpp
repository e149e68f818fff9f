// The window requests of the UI; empty until the shell fills them.
#include "ui/window_requests.h"

WindowRequests windowRequests = {};
