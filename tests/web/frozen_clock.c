/* Preloaded into the desktop game for the picture comparison with the web build: the window
 * system's clock stands still at 0, as the page test's does in the browser, so a run's screen is
 * drawn at the same game time in both, however fast each machine plays. */
double glfwGetTime(void) { return 0.0; }
