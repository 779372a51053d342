// A server folder of one test's own, made and removed.
#include "tests/support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <system_error>

namespace qw_test {

namespace {

std::string running_test_name() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test != nullptr ? test->name() : "outside-a-test";
  std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests: "case/param"
  return name;
}

}  // namespace

ScratchFolder::ScratchFolder(std::string_view purpose)
    : root_(std::filesystem::temp_directory_path() /
            ("quellwarden-" + std::string(purpose) + "-" + std::to_string(std::random_device()()) +
             "-" + running_test_name())),
      server_(root_ / u8"W\u00FCste Insel") {
  std::filesystem::remove_all(root_);
  std::filesystem::create_directories(config_folder());
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path ScratchFolder::config_folder() const {
  return server_ / "ArkApi" / "Plugins" / "Quellwarden";
}

void ScratchFolder::write_config(std::string_view text) const {
  std::ofstream(config_folder() / "config.json", std::ios::binary) << text;
}

}  // namespace qw_test
