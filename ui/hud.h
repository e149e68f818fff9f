// The in-run display and the UI pass that draws the pools of every screen.
#pragma once

void uiPass();
void buildHud();
