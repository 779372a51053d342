// Loads and unloads a plugin library the way the server does; the system's loader delivers the
// process attach and detach notifications to it.
#pragma once

#include <string>

namespace standin {

class PluginLibrary {
 public:
  PluginLibrary() = default;
  explicit PluginLibrary(const std::string& path) { load(path); }
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;
  ~PluginLibrary() { unload(); }

  // Throws std::runtime_error with the loader's reason when the library cannot be loaded.
  void load(const std::string& path);
  void unload() noexcept;
  [[nodiscard]] bool loaded() const noexcept { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};

// The plugin built beside the running program: Quellwarden with the platform's library naming.
std::string plugin_beside(const std::string& program_path);

}  // namespace standin
