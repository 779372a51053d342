// The temporary name carries 64 random bits, so two servers writing one folder never meet at a
// name; a name that is taken all the same is skipped, never opened.
#include "plugin/file_replacement.h"

#include <fmt/format.h>

#include <random>
#include <stdexcept>
#include <system_error>

#include "plugin/new_file.h"

namespace quellwarden {
namespace {

namespace fs = std::filesystem;

// Only someone who plants names on purpose takes one; past these, the write gives up.
constexpr int kNamesTried = 8;

fs::path temporary_beside(const fs::path& target, std::random_device& random) {
  fs::path temporary = target;
  temporary += fmt::format(".{:08x}{:08x}.tmp", random(), random());
  return temporary;
}

}  // namespace

std::string replace_file(const fs::path& target, std::string_view bytes, std::int64_t written) {
  NewFile created;
  try {
    std::random_device random;
    for (int tried = 0; tried < kNamesTried; ++tried) {
      const fs::path temporary = temporary_beside(target, random);
      created = write_new_file(temporary, bytes, written);
      if (created.taken) continue;
      if (!created.failure.empty()) return created.failure;
      std::error_code error;
      fs::rename(temporary, target, error);
      if (!error) return {};
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return error.message();
    }
  } catch (const std::runtime_error& error) {
    return error.what();  // no source of random bits
  }
  return created.failure;
}

}  // namespace quellwarden
