// GetModuleHandleExA and GetModuleFileNameW as Windows defines them, for systems without them:
// a module is named by its load address and its file is the real path of the shared object.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "host/platform_calls.h"
#include "standin/standin.h"
#include "standin/world.h"

namespace {

struct RealPaths {
  std::mutex mutex;
  std::map<std::string, std::string, std::less<>> of_loaded_name;
};

// Windows answers from its list of loaded modules in memory; resolving the path anew on every
// call made each message to a player cost a dozen system calls here.
std::string real_path(const char* path) {
  RealPaths& paths = standin::detail::forever<RealPaths>();
  const std::lock_guard lock(paths.mutex);
  const auto known = paths.of_loaded_name.find(std::string_view(path));
  if (known != paths.of_loaded_name.end()) {
    return known->second;
  }
  char resolved[PATH_MAX];
  std::string real =
      realpath(path, resolved) != nullptr ? std::string(resolved) : std::string(path);
  return paths.of_loaded_name.emplace(path, std::move(real)).first->second;
}

std::string file_of(platform::HMODULE module) {
  if (module == nullptr) {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    return length > 0 ? std::string(self, static_cast<std::size_t>(length)) : std::string();
  }
  Dl_info info{};
  if (dladdr(module, &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  return real_path(info.dli_fname);
}

}  // namespace

extern "C" ASAAPI_EXPORT platform::BOOL GetModuleHandleExA(platform::DWORD flags,
                                                           const char* module_name,
                                                           platform::HMODULE* module) {
  if (module == nullptr) {
    return 0;
  }
  *module = nullptr;
  if (standin::detail::module_lookup_fails_now()) {
    return 0;
  }
  if ((flags & platform::kModuleFromAddress) == 0) {
    return 0;  // only lookups by an address inside the module are supported here
  }
  Dl_info info{};
  if (dladdr(module_name, &info) == 0) {
    return 0;
  }
  *module = info.dli_fbase;
  return 1;
}

extern "C" ASAAPI_EXPORT platform::DWORD GetModuleFileNameW(platform::HMODULE module,
                                                            WIDECHAR* path, platform::DWORD size) {
  if (path == nullptr || size == 0) {
    return 0;
  }
  const std::u16string text = standin::utf8_to_utf16(file_of(module));
  if (text.empty()) {
    path[0] = 0;
    return 0;
  }
  // As on Windows: a path that does not fit is cut, still terminated, and the full size returned.
  const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(path, text.data(), copied * sizeof(WIDECHAR));
  path[copied] = 0;
  return copied < text.size() ? size : static_cast<platform::DWORD>(copied);
}
