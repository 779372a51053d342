// The plugin's reader decides whether the file loads and the shared diagnostics say what looks
// wrong, so the checker words nothing about the configuration itself.
#include "tools/check/check.h"

#include <streambuf>

#include "config/effective_entries.h"
#include "config/vocabulary.h"
#include "log/printable.h"
#include "tools/check/error_place.h"
#include "tools/check/parse_hints.h"

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

void read_schedule(const nlohmann::json& document, CheckResult& result) {
  try {
    const config::Configuration configuration = config::read_configuration(document);
    result.schedule =
        Schedule{configuration.wipe_timestamp, config::effective_entries(configuration.riding),
                 config::effective_entries(configuration.taming), configuration.notices};
  } catch (const nlohmann::json::type_error& error) {
    result.errors.emplace_back(error.what());
    if (auto place = type_error_place(document, error)) result.hints.push_back(std::move(*place));
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
    result.errors.push_back(config::kParseFailure + printable(*parsed.error));
    result.hints = parse_hints(text);
    return result;
  }
  result.warnings = config::diagnose(text, parsed.document, now);
  read_schedule(parsed.document, result);
  return result;
}

}  // namespace quellwarden::check
