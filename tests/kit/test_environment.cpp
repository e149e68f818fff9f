// Every test process works in a scratch folder beside the game's run-time files, so the save file
// that ended runs write never lands in the repository, and with its layers connected as the game
// connects them at start-up.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/shell/game.h"
#include "kit/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* runTimeFolders[] = {"shaders", "res", "fonts", "audio"};

class ScratchFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    connectLayers();
    std::error_code ec;
    original_ = fs::current_path(ec);
    scratch_ = makeScratchFolder("navro-test");
    if (scratch_.empty()) return;  // stay where we are
    for (const char* folder : runTimeFolders)
      fs::create_directory_symlink(fs::path(NAVRO_SOURCE_DIR) / folder, scratch_ / folder, ec);
    fs::current_path(scratch_, ec);
  }
  void TearDown() override {
    if (scratch_.empty()) return;
    std::error_code ec;
    fs::current_path(original_, ec);
    // Only the links are removed, never what they point to.
    for (const char* folder : runTimeFolders) fs::remove(scratch_ / folder, ec);
    fs::remove_all(scratch_, ec);
  }

 private:
  fs::path original_;
  fs::path scratch_;
};

[[maybe_unused]] ::testing::Environment* const scratchFolder =
    ::testing::AddGlobalTestEnvironment(new ScratchFolder);

}  // namespace
