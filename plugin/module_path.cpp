// Asks the system which module holds this code and where its file lies.
#include "plugin/module_path.h"

#include <stdexcept>
#include <vector>

#include "host/platform_calls.h"

namespace quellwarden {
namespace {

// Longer than any path the system can hand out; a bound, so a misbehaving call cannot loop.
constexpr platform::DWORD kLongestPath = 1U << 16U;
constexpr const char* kNoModule = "the system cannot name the plugin's own library file";

}  // namespace

// A module handle of null would name the server's own program, whose messenger is not ours.
FString module_path() {
  platform::HMODULE module = nullptr;
  if (GetModuleHandleExA(platform::kModuleFromAddress | platform::kModuleUnchangedRefcount,
                         reinterpret_cast<const char*>(&module_path), &module) == 0 ||
      module == nullptr) {
    throw std::runtime_error(kNoModule);
  }
  std::vector<WIDECHAR> path(platform::kMaxPath);
  for (;;) {
    const auto size = static_cast<platform::DWORD>(path.size());
    const platform::DWORD length = GetModuleFileNameW(module, path.data(), size);
    if (length == 0) {
      throw std::runtime_error(kNoModule);
    }
    // A path that does not fit comes back cut, with the buffer's full size as its length.
    if (length < size || size >= kLongestPath) {
      break;
    }
    path.assign(path.size() * 2, 0);
  }
  path.back() = 0;
  return FString(path.data());
}

}  // namespace quellwarden
