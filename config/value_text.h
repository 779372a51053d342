// A value from the file as an error text quotes it: never longer than a line, however deep or
// large the value is.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace quellwarden::config {

// Scalars as JSON writes them ("5", "null", "\"30\""); arrays and objects by their kind and the
// start of their JSON text: "an array, [[1,2],3]", "an object, {\"a\":[[[[...". Reads only as
// much of the value as it shows, so any depth is safe.
std::string value_text(const nlohmann::json& value);

}  // namespace quellwarden::config
