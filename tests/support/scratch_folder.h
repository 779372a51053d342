// A server folder of one test's own in the system's temporary folder, removed with it; its path
// holds a blank and a letter beyond ASCII, as an admin's server folder may.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qw_test {

class ScratchFolder {
 public:
  // `purpose` and the running test's name make the folder's name, so a leftover says whose it is.
  explicit ScratchFolder(std::string_view purpose);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  // Removed whole at the end.
  const std::filesystem::path& root() const { return root_; }
  // The server's own folder, inside the root.
  const std::filesystem::path& server() const { return server_; }
  std::filesystem::path config_folder() const;
  void write_config(std::string_view text) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path server_;
};

}  // namespace qw_test
