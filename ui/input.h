// Keyboard and mouse input: menu navigation, seed typing, hover and click, Escape and F11.
#pragma once

struct GLFWwindow;

extern double lastCursorX, lastCursorY;
extern bool firstMouse;

void onKey(GLFWwindow* w, int key, int scancode, int action, int mods);
void onCursorPos(GLFWwindow* w, double x, double y);
void onMouseButton(GLFWwindow* w, int button, int action, int mods);
void selectButton(int i);
void deselectButton(int i);
