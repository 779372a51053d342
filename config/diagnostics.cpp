// The diagnostics come in the order an administrator reads the file: its shape top down, then
// members given twice, then the times, then what lies after the document.
#include "config/diagnostics.h"

#include "config/diagnostic_parts.h"
#include "config/vocabulary.h"

namespace quellwarden::config {
namespace {

void append(Diagnostics& to, Diagnostics more) {
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

// Times are judged on what the reader makes of the file; a file it refuses has none.
Diagnostics time_diagnostics(const nlohmann::json& document, std::int64_t now) {
  try {
    const Configuration configuration = read_configuration(document);
    const auto wipe = document.find(kWipeTimestamp);
    return wipe_diagnostics(configuration, wipe == document.end() ? nullptr : &*wipe, now);
  } catch (const nlohmann::json::exception&) {
    return {};
  } catch (const ConfigError&) {
    return {};
  }
}

}  // namespace

std::vector<Diagnostic> diagnose(std::string_view bytes, const nlohmann::json& document,
                                 std::int64_t now) {
  Diagnostics diagnostics = structure_diagnostics(document);
  append(diagnostics, duplicate_member_diagnostics(bytes));
  append(diagnostics, time_diagnostics(document, now));
  append(diagnostics, trailing_text_diagnostics(bytes, document));
  return diagnostics;
}

}  // namespace quellwarden::config
