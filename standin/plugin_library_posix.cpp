// dlopen and dlclose stand for LoadLibrary and FreeLibrary.
#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

#include "standin/plugin_library.h"

namespace standin {

void PluginLibrary::load(const std::string& path) {
  unload();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    throw std::runtime_error("cannot load " + path + ": " + (reason != nullptr ? reason : "?"));
  }
}

void PluginLibrary::unload() noexcept {
  if (handle_ != nullptr) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

std::string plugin_beside(const std::string& program_path) {
  const std::filesystem::path program(program_path);
  return (program.parent_path() / "libQuellwarden.so").string();
}

}  // namespace standin
