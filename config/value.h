// A value of the file as the reader keeps it: a scalar whole, an array or an object only by its
// kind and the start of its text, so that a value of any depth or size costs a few bytes.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace quellwarden::config {

using ValueType = nlohmann::json::value_t;

class Value {
 public:
  // Absent: the file does not give the member.
  Value() = default;
  // Null, a boolean, a number or a string.
  explicit Value(nlohmann::json scalar) : held_(std::move(scalar)), type_(held_.type()) {}
  // An array or an object, by the start of its JSON text.
  Value(ValueType container, std::string preview) : held_(std::move(preview)), type_(container) {}

  [[nodiscard]] bool present() const noexcept { return type_ != ValueType::discarded; }
  [[nodiscard]] ValueType type() const noexcept { return type_; }
  [[nodiscard]] bool is_container() const noexcept {
    return type_ == ValueType::array || type_ == ValueType::object;
  }
  // The scalar itself; for an array or an object, its preview as a string.
  [[nodiscard]] const nlohmann::json& held() const noexcept { return held_; }

 private:
  nlohmann::json held_;
  ValueType type_ = ValueType::discarded;
};

// The type as the JSON library names it in its errors: "null", "number", "array", ...
std::string_view type_name(ValueType type);

// The value as an error text quotes it: scalars as JSON writes them ("5", "null", "\"30\""),
// texts cut at 40 bytes, arrays and objects by their kind and start: "an array, [[[[...".
std::string value_text(const Value& value);

// The value as a hint names it: "null", "true", "the number 72", "the string \"24h\"", "an
// array".
std::string found_text(const Value& value);

// `text` cut to its first 40 bytes and "...", before a character that would be split; shorter
// text as it is.
std::string shortened(std::string_view text);

}  // namespace quellwarden::config
