// An admin's edit of config.json, judged before anything is written: the new bytes, what changes
// in the configuration, and what the new file is warned about that the old one was not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/edit_request.h"

namespace quellwarden::config {

struct ConfigurationEdit {
  std::string bytes;                 // the file to write
  std::vector<std::string> changes;  // "WipeTimestamp 1767895200 -> 1797012000", one per change
  std::vector<std::string> new_warnings;
  std::string problem;  // why nothing is to be written; then the rest is empty
  [[nodiscard]] bool ok() const noexcept { return problem.empty(); }
};

// Pure: `request` applied to the file `bytes` at `now`, refused when the file or the result would
// not load, or when there is nothing to remove.
ConfigurationEdit edit_configuration(std::string_view bytes, const EditRequest& request,
                                     std::int64_t now);

}  // namespace quellwarden::config
