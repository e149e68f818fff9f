// Standard output on Linux: line buffered; a start-up failure is read where the output goes.
#include <cstdio>

#include "app/shell/console.h"

void makeOutputLineByLine() { std::setvbuf(stdout, nullptr, _IOLBF, 0); }

// The output goes where whoever started the game sends it (a terminal, a desktop's log); its
// size is theirs to manage.
void keepLogWithinLimit() {}

// Started from a terminal or a desktop's launcher, the output is where the player looks (a
// desktop keeps it in its log): the printed line is all.
void tellPlayerStartUpFailed(const std::string& /*line*/) {}
