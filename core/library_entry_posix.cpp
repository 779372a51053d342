// The library's process attach and detach notifications on ELF systems. As DllMain is on Windows,
// they come after the library's static objects are set up and before they are released: this
// object is initialised after the delay tables (plugin_state.cpp is linked first), so at unload
// the order is: the unload sequence, the plugin log handle, the taming table, the riding table.
#include "core/lifecycle.h"

namespace {

struct LibraryNotifications {
  LibraryNotifications() noexcept { quellwarden::process_attach(); }
  ~LibraryNotifications() { quellwarden::process_detach(); }
  LibraryNotifications(const LibraryNotifications&) = delete;
  LibraryNotifications& operator=(const LibraryNotifications&) = delete;
};

const LibraryNotifications notifications;

}  // namespace
