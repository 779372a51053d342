// Where the plugin's reader stops on a file it refuses with a type error, and what it found.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace quellwarden::check {

// The value at which the reader raised `error` on `document`, as a sentence that names its member
// path, what stands there and what to write instead: `DinoSettings > DisallowTaming >
// Rex_Character_BP_C > HoursToDelay is the string "24h"; write a number of hours`. Nothing when
// the first such value, in the reader's order, does not match the error.
std::optional<std::string> type_error_place(const nlohmann::json& document,
                                            const nlohmann::json::type_error& error);

}  // namespace quellwarden::check
