// A fresh, empty folder of a test's own under the system's temporary folder, on any system.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// "<temp>/<prefix>-<random>"; empty when no folder could be made.
inline std::filesystem::path makeScratchFolder(const std::string& prefix) {
  constexpr int attempts = 100;
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (ec) return {};
  std::random_device random;
  for (int i = 0; i < attempts; ++i) {
    const std::filesystem::path p = temp / (prefix + "-" + std::to_string(random()));
    if (std::filesystem::create_directory(p, ec)) return p;
  }
  return {};
}
