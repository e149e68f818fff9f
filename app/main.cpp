// Entry point of the game executable.
#include "app/game.h"

int main() { return runGame(); }
