// A machine without an audio device: the start-up says so on one line and the game stays silent.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "app/data/sound_files.h"
#include "sound/sound.h"

namespace {

// Points every audio system miniaudio tries at nothing, and puts the variables back afterwards,
// so the test means the same on a machine that does have a sound card.
class NoAudioDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("navro-no-audio-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    const std::string emptyConfig = (folder_ / "empty-alsa.conf").string();
    std::FILE* f = std::fopen(emptyConfig.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    set("ALSA_CONFIG_PATH", emptyConfig);
    set("PULSE_SERVER", "unix:" + (folder_ / "no-pulse").string());
    set("JACK_NO_START_SERVER", "1");
    set("JACK_DEFAULT_SERVER", "navro-no-server");
    set("PIPEWIRE_REMOTE", "navro-no-remote");
    set("XDG_RUNTIME_DIR", folder_.string());
  }

  void TearDown() override {
    shutdownSoundEngine();
    for (const auto& [name, value] : saved_) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  void set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    setenv(name, value.c_str(), 1);
  }

  std::filesystem::path folder_;
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(NoAudioDevice, StartUpReportsItOnceAndSoundsAreSilentlySkipped) {
  std::fflush(stdout);
  testing::internal::CaptureStdout();
  initSoundEngine();
  std::fflush(stdout);
  const std::string out = testing::internal::GetCapturedStdout();
  if (soundEngineReady) GTEST_SKIP() << "an audio device answered despite the environment";
  EXPECT_EQ(out, "No audio device: the game runs without sound\n");
  playSound(collectSound);
  playSound(menuSelectSound);
  EXPECT_FALSE(soundEngineReady);
}

}  // namespace
