// The UI pass and the in-run display.
#include "ui/hud.h"

void uiPass() {}
void buildHud() {}
