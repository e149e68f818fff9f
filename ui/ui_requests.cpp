// The UI's requests of the rest of the game; empty until the shell fills them.
#include "ui/ui_requests.h"

UiRequests uiRequests = {};
