// Entry point of the game executable.
#include "app/shell/game.h"

int main() { return runGame(); }
