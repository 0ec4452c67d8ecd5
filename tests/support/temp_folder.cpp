#include "tests/support/temp_folder.h"

#include <random>
#include <string>
#include <system_error>

CTempFolder::CTempFolder() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("quillery-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) return;
  }
}

CTempFolder::~CTempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
