// Tests for reading a whole file as the plugin and the checker both do: its bytes, or why not, and
// never a wait on something that is not a file.
#include "config/file_bytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quellwarden::config {
namespace {

class file_bytes_test : public ::testing::Test {
 protected:
  file_bytes_test()
      : folder_(std::filesystem::temp_directory_path() /
                ("quellwarden-file-bytes-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(folder_);
  }
  ~file_bytes_test() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

TEST_F(file_bytes_test, a_file_whole_or_why_not) {
  const std::string bytes("{\"a\":\0 1}\r\n", 11);
  std::ofstream(folder_ / "config.json", std::ios::binary) << bytes;
  EXPECT_EQ(read_whole_file(folder_ / "config.json").bytes, bytes);
  std::ofstream(folder_ / "empty.json", std::ios::binary).flush();
  EXPECT_EQ(read_whole_file(folder_ / "empty.json").bytes, "");

  const FileBytes missing = read_whole_file(folder_ / "none.json");
  EXPECT_FALSE(missing.bytes);
  EXPECT_EQ(missing.problem, "No such file or directory");
  EXPECT_TRUE(missing.missing);
  const FileBytes folder = read_whole_file(folder_);
  EXPECT_EQ(folder.problem, "it is a folder");
  EXPECT_FALSE(folder.missing);
}

#ifndef _WIN32
// Opened for reading, a named pipe would wait for a writer, and a read of it for its data.
TEST_F(file_bytes_test, a_named_pipe_is_refused_at_once) {
  const std::filesystem::path pipe = folder_ / "config.json";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  const FileBytes read = read_whole_file(pipe);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(read.bytes);
  EXPECT_EQ(read.problem, "it is not a regular file (a named pipe or a device)");
  EXPECT_EQ(read_whole_file("/dev/null").problem, read.problem);
}
#endif

}  // namespace
}  // namespace quellwarden::config
