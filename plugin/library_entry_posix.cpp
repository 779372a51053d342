// The library's process attach and detach notifications on ELF systems, run as DllMain's are on
// Windows: after the library's static objects are set up and before they are released. The
// plugin's state is first used inside process_attach, so the language releases it only after
// process_detach has run.
#include "plugin/lifecycle.h"

namespace {

struct LibraryNotifications {
  LibraryNotifications() noexcept { quellwarden::process_attach(); }
  ~LibraryNotifications() { quellwarden::process_detach(); }
  LibraryNotifications(const LibraryNotifications&) = delete;
  LibraryNotifications& operator=(const LibraryNotifications&) = delete;
};

const LibraryNotifications notifications;

}  // namespace
