/* Linked into sanitizer builds only: the address and leak sanitizers' defaults for every program.
 *
 * The audio backends the sound engine probes (ALSA, PulseAudio, JACK, PipeWire) load libraries
 * with thread-local storage. With __tls_get_addr intercepted, LeakSanitizer on this glibc records
 * a nonsense block for that storage and its scan at exit faults ("Tracer caught signal 11"), so a
 * passing program fails. Without the interception the dynamic storage is simply not scanned: a
 * block kept only there would be reported, never hidden, so no leak can go unseen. Options given
 * in ASAN_OPTIONS still come after these and win.
 *
 * Mesa 25 (Debian 13) loses blocks of its own: about 108 KiB that GLX allocates while the window
 * system creates a window, and 2 KiB of the software renderer's, whatever the program draws. Only blocks allocated from inside Mesa's GLX and renderer libraries
 * are let through; anything the game allocates itself has no Mesa frame and is still reported.
 * Their tally is not printed: the whole-program tests read the game's last output line. */
const char* __asan_default_options(void);
const char* __lsan_default_options(void);
const char* __lsan_default_suppressions(void);

const char* __asan_default_options(void) { return "intercept_tls_get_addr=0"; }

const char* __lsan_default_options(void) { return "print_suppressions=0"; }

const char* __lsan_default_suppressions(void) {
  return "leak:libGLX_mesa.so\n"
         "leak:libgallium-\n";
}
