/* Linked into sanitizer builds only: the address sanitizer's defaults for every program.
 *
 * The audio backends the sound engine probes (ALSA, PulseAudio, JACK, PipeWire) load libraries
 * with thread-local storage. With __tls_get_addr intercepted, LeakSanitizer on this glibc records
 * a nonsense block for that storage and its scan at exit faults ("Tracer caught signal 11"), so a
 * passing program fails. Without the interception the dynamic storage is simply not scanned: a
 * block kept only there would be reported, never hidden, so no leak can go unseen. Options given
 * in ASAN_OPTIONS still come after these and win. */
const char* __asan_default_options(void);

const char* __asan_default_options(void) { return "intercept_tls_get_addr=0"; }
