// What the program's host does around the game: nothing on the desktop, where the game is the
// whole process; in the browser, the page's part in it.
#pragma once

// A second copy on the record that the file system's lock cannot see: in the browser, another
// tab of the same site playing (the page takes the browser's lock on the record before the game
// starts, and holds it until the game ends). Always false on the desktop.
bool hostSeesRecordHeldElsewhere();
// Before the record is read. In the browser: every save of the record is copied into the page's
// lasting storage once it is done.
void beginHostSession();
// Runs start-up's steps until `startUpStep` returns false, then plays frames until `playFrame`
// returns false, then calls `endGame` (shutdown, the record written). The desktop runs them all
// here and returns after `endGame`. The browser must have its turn between steps and frames, to
// show how far loading has come, then each frame, and to deliver the input: this returns at once
// and the page runs one step or frame per animation frame; after `endGame` the player is told the
// game has ended.
void runFrameLoop(bool (*startUpStep)(), bool (*playFrame)(), void (*endGame)());
