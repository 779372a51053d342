// The preview is cut at a fixed length, and every level it enters adds at least one byte to it,
// so the walk below never goes deeper than that length.
#include "config/value_text.h"

namespace quellwarden::config {
namespace {

using nlohmann::json;

constexpr std::size_t kShownBytes = 40;

std::string scalar_text(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// Appends the compact JSON text of `value` until `out` holds more than kShownBytes.
void append_preview(const json& value, std::string& out) {
  if (out.size() > kShownBytes) return;
  if (!value.is_structured()) {
    out += scalar_text(value);
    return;
  }
  const bool object = value.is_object();
  out += object ? '{' : '[';
  bool first = true;
  for (auto item = value.begin(); item != value.end() && out.size() <= kShownBytes; ++item) {
    if (!first) out += ',';
    first = false;
    if (object) out += scalar_text(json(item.key())) + ':';
    append_preview(*item, out);
  }
  out += object ? '}' : ']';
}

// The first kShownBytes bytes and "...", cut before a character that would be split.
std::string shortened(std::string text) {
  if (text.size() <= kShownBytes) return text;
  std::size_t cut = kShownBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.erase(cut) + "...";
}

}  // namespace

std::string value_text(const json& value) {
  if (!value.is_structured()) return shortened(scalar_text(value));
  std::string preview;
  append_preview(value, preview);
  return (value.is_object() ? "an object, " : "an array, ") + shortened(std::move(preview));
}

}  // namespace quellwarden::config
