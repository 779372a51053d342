// The plugin's reader decides whether the file loads; warnings come from the raw document, so
// they are given even for a file the plugin refuses, as long as it parses.
#include "tools/check/check.h"

#include <streambuf>

#include "tools/check/effective_entries.h"
#include "tools/check/warnings.h"

namespace quellwarden::check {
namespace {

// Lets the reader's stream extraction run over text already in memory, without a copy.
class TextBuffer : public std::streambuf {
 public:
  explicit TextBuffer(std::string_view text) {
    char* start = const_cast<char*>(text.data());  // the get area is never written
    setg(start, start, start + text.size());
  }
};

void append(std::vector<std::string>& to, std::vector<std::string> more) {
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

std::optional<std::int64_t> wipe_if_given(const nlohmann::json& document,
                                          const config::Configuration& configuration) {
  if (!document.contains("WipeTimestamp")) return std::nullopt;
  return configuration.wipe_timestamp;
}

void read_schedule(const nlohmann::json& document, std::int64_t now, CheckResult& result) {
  try {
    const config::Configuration configuration = config::read_configuration(document);
    append(result.warnings, wipe_warnings(wipe_if_given(document, configuration), now));
    result.schedule =
        Schedule{configuration.wipe_timestamp, effective_entries(configuration.riding),
                 effective_entries(configuration.taming)};
  } catch (const nlohmann::json::exception& error) {
    result.errors.emplace_back(error.what());
  } catch (const config::ConfigError& error) {
    result.errors.emplace_back(error.what());
  }
}

}  // namespace

CheckResult check_text(std::string_view text, std::int64_t now) {
  CheckResult result;
  TextBuffer buffer(text);
  std::istream in(&buffer);
  const config::ParseResult parsed = config::parse_document(in);
  if (parsed.error) {
    result.errors.push_back("Config has parsing ERROR! " + *parsed.error);
    return result;
  }
  result.warnings = structure_warnings(parsed.document);
  append(result.warnings, duplicate_member_warnings(text));
  read_schedule(parsed.document, now, result);
  return result;
}

}  // namespace quellwarden::check
