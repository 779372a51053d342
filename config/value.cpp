// Texts about values never look further than the value's first bytes, so they cost the same for a
// value of a million levels as for a number.
#include "config/value.h"

#include "text/quoted_text.h"
#include "text/utf8.h"

namespace quellwarden::config {
namespace {

constexpr std::size_t kShownBytes = 40;

std::string scalar_text(const nlohmann::json& scalar) {
  if (scalar.is_string()) return in_quotes(shortened(scalar.get_ref<const std::string&>()));
  return scalar.dump();
}

}  // namespace

// The library names the numbers' three types alike.
std::string_view type_name(ValueType type) { return nlohmann::json(type).type_name(); }

std::string shortened(std::string_view text) {
  if (text.size() <= kShownBytes) return std::string(text);
  return std::string(utf8_prefix(text, kShownBytes)) + "...";
}

std::string value_text(const Value& value) {
  if (!value.is_container()) return scalar_text(value.held());
  return (value.type() == ValueType::object ? "an object, " : "an array, ") +
         shortened(value.held().get_ref<const std::string&>());
}

std::string found_text(const Value& value) {
  switch (value.type()) {
    case ValueType::array:
      return "an array";
    case ValueType::object:
      return "an object";
    case ValueType::string:
      return "the string " + scalar_text(value.held());
    case ValueType::null:
    case ValueType::boolean:
      return value.held().dump();
    default:
      return "the number " + value.held().dump();
  }
}

}  // namespace quellwarden::config
