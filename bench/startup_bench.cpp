// Start-up of the real game: from the moment its process is spawned to its first drawn main-menu
// frame on screen, and the game's peak memory, measured from outside the game; and the same for
// a bare program that only opens the same window, the floor the game's figures stand on.
//
// The game is started as a player starts it, with a small library preloaded that watches its
// buffer swaps: at the first swap of a frame that is not blank it notes the time and closes the
// window, so the game shuts down normally. The game itself has no switch for any of this.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* runTimeFolders[] = {"shaders", "res", "fonts", "audio"};
constexpr double nanosecondsPerSecond = 1e9;
constexpr double kibPerMib = 1024.0;

int64_t nowNanoseconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A working folder of its own with the game's run-time files, so no save lands in the tree.
const fs::path& scratchFolder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "navro-startup-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return fs::temp_directory_path();
    std::error_code ec;
    for (const char* f : runTimeFolders)
      fs::create_directory_symlink(fs::path(NAVRO_SOURCE_DIR) / f, fs::path(pattern) / f, ec);
    return fs::path(pattern);
  }();
  return folder;
}

struct StartupSample {
  bool ok = false;
  double seconds = 0.0;  // spawn to the first non-blank frame on screen
  long peakKiB = 0;      // the game's largest resident size over its whole life
  int frames = 0;        // swaps up to and including that frame
  std::string error;
};

// Spawns `program` in the scratch folder with the probe preloaded and waits for it to exit.
StartupSample startOnce(const char* program) {
  StartupSample sample;
  const fs::path report = scratchFolder() / "first-frame.txt";
  std::error_code ec;
  fs::remove(report, ec);

  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  env.push_back(std::string("LD_PRELOAD=") + NAVRO_PROBE_PATH);
  env.push_back("NAVRO_PROBE_OUT=" + report.string());
  std::vector<char*> envp;
  for (std::string& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::string game = program;
  char* argv[] = {game.data(), nullptr};

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  // The game's own lines and the audio library's probing would drown the figures.
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&files, scratchFolder().c_str());

  const int64_t spawnedAt = nowNanoseconds();
  pid_t pid = 0;
  const int spawnError = posix_spawn(&pid, game.c_str(), &files, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&files);
  if (spawnError != 0) {
    sample.error = "the game could not be started";
    return sample;
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  sample.peakKiB = usage.ru_maxrss;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    sample.error = "the game did not exit with status 0";
    return sample;
  }
  std::ifstream in(report);
  std::string kind;
  long long swappedAt = 0, checkNanoseconds = 0;
  if (!(in >> kind >> swappedAt >> sample.frames >> checkNanoseconds) || kind != "frame") {
    sample.error = "no drawn frame was seen";
    return sample;
  }
  sample.seconds =
      static_cast<double>(swappedAt - spawnedAt - checkNanoseconds) / nanosecondsPerSecond;
  // The probe's reading of the program's own peak, which the rusage above overstates when this
  // benchmark process is large.
  std::string peakWord;
  long probedKiB = 0;
  if (in >> peakWord >> probedKiB && peakWord == "peak" && probedKiB > 0)
    sample.peakKiB = probedKiB;
  sample.ok = true;
  return sample;
}

// Times `program` from spawn to its first drawn frame, several times; its peak memory is the
// largest of its runs.
void timeStartup(benchmark::State& state, const char* program) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no display");
    return;
  }
  // Mesa's software renderer offers 4.5 unless told otherwise; other drivers ignore this.
  setenv("MESA_GL_VERSION_OVERRIDE", "4.6", 0);
  setenv("MESA_GLSL_VERSION_OVERRIDE", "460", 0);
  long peakKiB = 0;
  int frames = 0;
  for (auto _ : state) {
    const StartupSample s = startOnce(program);
    if (!s.ok) {
      state.SkipWithError(s.error.c_str());
      return;
    }
    state.SetIterationTime(s.seconds);
    peakKiB = std::max(peakKiB, s.peakKiB);
    frames = s.frames;
  }
  state.counters["peak_MiB"] = static_cast<double>(peakKiB) / kibPerMib;
  state.counters["frames"] = frames;
}

}  // namespace

static void BM_StartupToFirstFrame(benchmark::State& state) { timeStartup(state, NAVRO_GAME_PATH); }
static void BM_BareWindowStartup(benchmark::State& state) {
  timeStartup(state, NAVRO_BARE_WINDOW_PATH);
}
// Both the same way: ten starts a repetition, the median of three reported.
BENCHMARK(BM_StartupToFirstFrame)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_BareWindowStartup)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
