// Asks the system which module holds this code and where its file lies.
#include "plugin/module_path.h"

#include <vector>

#include "host/platform_calls.h"

namespace quellwarden {
namespace {

// Longer than any path the system can hand out; a bound, so a misbehaving call cannot loop.
constexpr platform::DWORD kLongestPath = 1U << 16U;

}  // namespace

FString module_path() {
  platform::HMODULE module = nullptr;
  GetModuleHandleExA(platform::kModuleFromAddress | platform::kModuleUnchangedRefcount,
                     reinterpret_cast<const char*>(&module_path), &module);
  std::vector<WIDECHAR> path(platform::kMaxPath);
  for (;;) {
    const auto size = static_cast<platform::DWORD>(path.size());
    // A path that does not fit comes back cut, with the buffer's full size as its length.
    if (GetModuleFileNameW(module, path.data(), size) < size || size >= kLongestPath) {
      break;
    }
    path.assign(path.size() * 2, 0);
  }
  path.back() = 0;
  return FString(path.data());
}

}  // namespace quellwarden
