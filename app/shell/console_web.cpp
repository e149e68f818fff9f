// The browser's console takes the game's lines (Emscripten prints each once it ends); a start-up
// that cannot go on also shows its line over the canvas, where the player is looking.
#include <emscripten.h>

#include <cstdio>

#include "app/shell/console.h"

EM_JS(void, showStartUpFailure, (const char* line),
      { Module['navroShowNotice'](UTF8ToString(line)); });

void makeOutputLineByLine() { std::setvbuf(stdout, nullptr, _IOLBF, 0); }

// The browser's console is the page's own and keeps its own limits: there is no file to bound.
void keepLogWithinLimit() {}

void tellPlayerStartUpFailed(const std::string& line) { showStartUpFailure(line.c_str()); }
