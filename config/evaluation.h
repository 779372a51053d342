// The one verdict on a configuration file's bytes, which the plugin's load and the checker both
// reach the same way: what the file says, whether the plugin takes it, and what looks wrong in it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/document.h"

namespace quellwarden::config {

struct Salvage {
  Configuration configuration;  // the wipe and every entry that reads
  std::vector<HeldEntry> held;
};

// When the file is judged: at `now`, or at the wipe the file gives (for a file that cannot give
// one, at `now`).
struct Moment {
  std::int64_t now = 0;
  bool at_wipe = false;
};

struct Evaluation {
  Document document;
  std::optional<Configuration> configuration;  // absent when the plugin refuses the file
  std::optional<Refusal> refusal;              // why it does, as the plugin words it
  // For a refused file whose wipe and lists read, with only some entries wrong: what reads, and
  // the wrong entries, which a start holds back until the file is fixed.
  std::optional<Salvage> salvage;
  std::int64_t judged_at = 0;  // the moment the diagnostics judge times at
  // What the file says that the plugin takes but the admin most likely did not mean; a refused
  // file still gets those of its shape, and one that is no JSON none.
  std::vector<Diagnostic> diagnostics;
};

// The same bytes at the same moment give the same evaluation on one machine; only a hint for a
// date written without its zone names the machine's own offset.
Evaluation evaluate(std::string_view bytes, Moment moment);

}  // namespace quellwarden::config
