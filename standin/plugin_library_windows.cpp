// LoadLibraryW and FreeLibrary, as the server loads its plugins; paths travel as UTF-8 text.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "standin/plugin_library.h"
#include "text/utf8_path.h"

namespace standin {
namespace {

std::string system_message(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : std::string();
  LocalFree(text);
  message.erase(message.find_last_not_of("\r\n") + 1);
  return "error " + std::to_string(error) + (message.empty() ? "" : " (" + message + ")");
}

}  // namespace

void PluginLibrary::load(const std::string& path) {
  unload();
  handle_ = LoadLibraryW(quellwarden::path_of_utf8(path).c_str());
  if (handle_ == nullptr) {
    throw std::runtime_error("cannot load " + path + ": " + system_message(GetLastError()));
  }
}

void PluginLibrary::unload() noexcept {
  if (handle_ != nullptr) {
    FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
  }
}

std::string plugin_beside(const std::string& program_path) {
  return quellwarden::utf8_of_path(quellwarden::path_of_utf8(program_path).parent_path() /
                                   "Quellwarden.dll");
}

}  // namespace standin
