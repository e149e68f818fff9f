// Where the game's lines go: standard output, line by line, and on systems where a player who
// started the game by double-clicking sees no output, a log file and a box for the line that ends
// a start-up.
#pragma once

#include <string>

// Every line leaves as soon as it is finished, to a console, a pipe or a log file alike, so a
// game that is killed loses none of what it printed. On Windows a game with no standard output
// at all (double-clicked, or started from a shortcut) writes its lines to "navro.log" beside
// navro.exe instead, made anew at each start.
void makeOutputLineByLine();
// Called once a frame: a log file that has reached its size limit takes no further lines, so a
// long session cannot fill the player's disk.
void keepLogWithinLimit();
// Start-up cannot go on: shows the player's line (already printed) where the player will see it.
void tellPlayerStartUpFailed(const std::string& line);
