// The keys and key actions the game reacts to, by the numbers the window system gives them (the
// menu input checks they still match); the in-run controls, the menus, the gamepad and the bots
// all name keys from here.
#pragma once

constexpr int keyRelease = 0;
constexpr int keyPress = 1;
constexpr int keyRepeat = 2;

constexpr int keySpace = 32;
constexpr int key0 = 48;  // the digits run from key0 to key9
constexpr int key1 = 49;  // held item 1; held items 2 and 3 follow
constexpr int key2 = 50;
constexpr int key3 = 51;
constexpr int key9 = 57;
constexpr int keyA = 65;
constexpr int keyEscape = 256;
constexpr int keyEnter = 257;
constexpr int keyBackspace = 259;
constexpr int keyRight = 262;
constexpr int keyLeft = 263;
constexpr int keyDown = 264;
constexpr int keyUp = 265;
constexpr int keyF11 = 300;
constexpr int keyPad0 = 320;  // the keypad digits run from keyPad0 to keyPad9
constexpr int keyPad9 = 329;
constexpr int mouseButtonLeft = 0;
