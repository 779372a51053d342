// Fuzzes the checker with arbitrary file contents judged at moments from the far past to the far
// future: the diagnostics and both reports must come out whole, no text from the file may split
// or forge a line of the text report, and the JSON report must parse and say what the check found.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "config/diagnostics.h"
#include "tools/check/check.h"
#include "tools/check/report.h"

namespace {

using quellwarden::check::CheckResult;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "check_report_fuzzer: %s\n", what.c_str());
  std::abort();
}

// --now takes any 64-bit second; the input's length picks one, so every seed meets several.
std::int64_t moment_for(std::size_t size) {
  constexpr std::array<std::int64_t, 7> kMoments{
      1767898800,  // an hour after the example's wipe
      1700000000,
      0,
      -1,
      std::numeric_limits<std::int64_t>::min(),
      std::numeric_limits<std::int64_t>::max(),
      922337203685,  // the sandbox's last second
  };
  return kMoments[size % kMoments.size()];
}

bool has_line(const std::string& report, const std::string& line) {
  return report.find("\n" + line + "\n") != std::string::npos;
}

void expect_text_report(const CheckResult& result, const std::string& report) {
  for (const char byte : report) {
    const auto unit = static_cast<unsigned char>(byte);
    if ((unit < 0x20 && byte != '\n') || unit == 0x7F) {
      fail("the text report holds a control character");
    }
  }
  for (const std::string& error : result.errors) {
    if (!has_line(report, "  " + error)) fail("the text report lost the error " + error);
  }
  for (const auto& warning : result.warnings) {
    if (!has_line(report, "  - " + warning.text)) fail("the text report lost " + warning.text);
  }
  const bool says_refused = report.ends_with("would NOT load this file.\n");
  if (says_refused != !result.errors.empty()) fail("the text report's verdict is wrong");
}

void expect_json_report(const CheckResult& result, const std::string& report) {
  const nlohmann::json json = nlohmann::json::parse(report, nullptr, false);
  if (json.is_discarded()) fail("the JSON report is no JSON");
  if (json["errors"].size() != result.errors.size()) fail("the JSON report's errors differ");
  if (json["wipe_timestamp"].is_null() != !result.schedule) fail("the JSON report's wipe differs");
  const nlohmann::json& warnings = json["warnings"];
  if (warnings.size() != result.warnings.size()) fail("the JSON report's warnings differ");
  for (std::size_t index = 0; index < warnings.size(); ++index) {
    const std::string_view code = quellwarden::config::code_name(result.warnings[index].code);
    if (warnings[index]["code"] != code) fail("the JSON report's codes differ");
  }
  if (result.schedule && (json["riding"].size() != result.schedule->riding.size() ||
                          json["taming"].size() != result.schedule->taming.size())) {
    fail("the JSON report's entries differ");
  }
}

int one_hour_east(std::int64_t /*unix_seconds*/) { return 3600; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::int64_t now = moment_for(size);
  // Odd sizes judge on a machine an hour east of UTC, every third size at the file's wipe, every
  // fifth with that moment given as the wipe the file must have.
  const quellwarden::check::LocalZone zone{size % 2 == 1 ? &one_hour_east : nullptr};
  const std::optional<std::int64_t> wipe =
      size % 5 == 0 ? std::optional<std::int64_t>(now) : std::nullopt;
  const CheckResult result = quellwarden::check::check_text(text, {now, size % 3 == 0, zone, wipe});
  if (result.schedule.has_value() == !result.errors.empty()) {
    fail("a file both loads and is refused, or neither");
  }
  expect_text_report(result, quellwarden::check::text_report(result, {"config.json", now, zone}));
  expect_json_report(result, quellwarden::check::json_report(result, now));
  return 0;
}
