// Where the game's lines go: standard output, line by line, and on systems where a player who
// started the game by double-clicking sees no output, a box for the line that ends a start-up.
#pragma once

#include <string>

// Every line leaves as soon as it is finished, to a console, a pipe or a log file alike, so a
// game that is killed loses none of what it printed.
void makeOutputLineByLine();
// Start-up cannot go on: shows the player's line (already printed) where the player will see it.
void tellPlayerStartUpFailed(const std::string& line);
