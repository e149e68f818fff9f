/* Linked into sanitizer builds only: the address and leak sanitizers' defaults for every program.
 *
 * The audio backends the sound engine probes (ALSA, PulseAudio, JACK, PipeWire) load libraries
 * with thread-local storage. With __tls_get_addr intercepted, LeakSanitizer on this glibc records
 * a nonsense block for that storage and its scan at exit faults ("Tracer caught signal 11"), so a
 * passing program fails. Without the interception the dynamic storage is simply not scanned: a
 * block kept only there would be reported, never hidden, so no leak can go unseen. Options given
 * in ASAN_OPTIONS still come after these and win.
 *
 * Some system libraries lose blocks of their own, whatever the program does with them, and are
 * passed over by the library they were allocated in; anything the game allocates itself has no
 * frame in them and is still reported:
 * - Mesa 25 (Debian 13): about 108 KiB that GLX allocates while the window system creates a
 *   window, and 2 KiB of the software renderer's.
 * - The PulseAudio client library, when the sound engine tries it and no sound server answers,
 *   keeps the blocks of the connection it gave up. It is on every machine that has Wine (which
 *   the Windows build's tests need).
 * Their tally is not printed: it would follow the game's last line, which the whole-program
 * tests read. */
const char* __asan_default_options(void);
const char* __lsan_default_options(void);
const char* __lsan_default_suppressions(void);

const char* __asan_default_options(void) { return "intercept_tls_get_addr=0"; }

const char* __lsan_default_options(void) { return "print_suppressions=0"; }

const char* __lsan_default_suppressions(void) {
  return "leak:libGLX_mesa.so\n"
         "leak:libgallium-\n"
         "leak:libpulse.so\n";
}
