// The players no gate holds back: the "Bypass" member, a list of the unique ids the host gives.
#pragma once

#include <string>
#include <vector>

#include "config/diagnostics.h"

namespace quellwarden::config {

struct Document;

struct BypassReading {
  std::vector<std::string> ids;  // each once, in byte order
  // The member or each element that is wrong, as `invalid_bypass`; such an element lets no one
  // through, the others still do.
  std::vector<Diagnostic> problems;
};

// Never refuses the file.
BypassReading read_bypass(const Document& document);

}  // namespace quellwarden::config
