// Runs a fuzz harness without libFuzzer: every file named on the command line, or found in a
// directory named there, is fed to it once, so a corpus or a crash reproducer runs as a plain test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Paths are made absolute up front: a harness may change the working directory.
std::vector<std::filesystem::path> inputs(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int arg = 1; arg < argc; ++arg) {
    const std::filesystem::path path = std::filesystem::absolute(argv[arg]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
    } else {
      files.push_back(path);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::filesystem::path> files = inputs(argc, argv);
  if (files.empty()) {
    std::fprintf(stderr, "usage: %s <input file or directory>...\n", argv[0]);
    return 2;
  }
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    std::printf("%s (%zu bytes)\n", file.filename().c_str(), bytes.size());
    std::fflush(stdout);  // a crash report then follows the name of the input that caused it
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", files.size());
  return 0;
}
