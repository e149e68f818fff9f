/* Linked into sanitizer builds only: the address and leak sanitizers' defaults for every program.
 *
 * The audio backends the sound engine probes (ALSA, PulseAudio, JACK, PipeWire) load libraries
 * with thread-local storage. With __tls_get_addr intercepted, LeakSanitizer on this glibc records
 * a nonsense block for that storage and its scan at exit faults ("Tracer caught signal 11"), so a
 * passing program fails. Without the interception the dynamic storage is simply not scanned: a
 * block kept only there would be reported, never hidden, so no leak can go unseen. Options given
 * in ASAN_OPTIONS still come after these and win. */
const char* __asan_default_options(void);

const char* __asan_default_options(void) { return "intercept_tls_get_addr=0"; }

/* The PulseAudio client library, when the sound engine tries it and no sound server answers,
 * keeps the blocks of the connection it gave up for good. It is on every machine that has Wine
 * (which the Windows build's tests need), so a program that ran without a sound device would
 * fail its leak check there for the library's blocks alone. Only blocks the library itself
 * allocated are passed over, and silently: a count of them at exit would follow the game's
 * last line. */
const char* __lsan_default_suppressions(void);
const char* __lsan_default_options(void);

const char* __lsan_default_suppressions(void) { return "leak:libpulse.so\n"; }
const char* __lsan_default_options(void) { return "print_suppressions=0"; }
