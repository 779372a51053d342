// Loads the plugin and lets the process end without FreeLibrary, so the DLL's process detach comes
// from the ending process. A sink that only the plugin's logger still holds reports, when the
// plugin's runtime releases the log after the unload sequence, what is still registered.
#include <spdlog/details/null_mutex.h>
#include <spdlog/sinks/base_sink.h>
#include <windows.h>

#include <memory>
#include <string>

#include "host/asa_api.h"
#include "standin/plugin_library.h"
#include "standin/standin.h"
#include "tests/support/built_files.h"

namespace {

// Written straight to the handle: the C runtime's streams may already be shut down at this point.
void say(const std::string& text) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
            nullptr);
}

std::string registrations() {
  return std::to_string(standin::installed_hooks().size()) + " hooks, " +
         std::to_string(standin::console_commands().size()) + " console and " +
         std::to_string(standin::rcon_commands().size()) + " RCON commands";
}

class ExitReportingSink final : public spdlog::sinks::base_sink<spdlog::details::null_mutex> {
 public:
  ~ExitReportingSink() override { say("log released with " + registrations() + "\n"); }

 protected:
  void sink_it_(const spdlog::details::log_msg& /*message*/) override {}
  void flush_() override {}
};

}  // namespace

int main() {
  GetLogSinks().push_back(std::make_shared<ExitReportingSink>());
  // Never freed: the process ends with the DLL still loaded.
  new standin::PluginLibrary(qw_test::built_plugin_path());
  GetLogSinks().clear();
  say("loaded with " + registrations() + "\n");
  return 0;
}
