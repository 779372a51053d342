// The configuration files the tests write, from one builder: a test names the wipe and the
// entries it needs, and the file's shape is written here once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw_test {

inline constexpr std::int64_t kWipe = 1700000000;  // 2023-11-14 22:13:20 UTC

// One class of a list, with its hours and, when given, its display name.
struct Held {
  std::string_view class_name;
  std::int64_t hours = 0;
  std::string_view display_name = {};
};

// {"WipeTimestamp": wipe, MORE, "DinoSettings": {"DisallowRiding": {...}, "DisallowTaming":
// {...}}}: `more` is further top-level members as JSON text, a list without classes is left out.
inline std::string config_text(const std::vector<Held>& riding, const std::vector<Held>& taming,
                               std::int64_t wipe = kWipe, std::string_view more = {}) {
  std::string text = "{\"WipeTimestamp\": " + std::to_string(wipe) + ", ";
  if (!more.empty()) text += std::string(more) + ", ";
  text += "\"DinoSettings\": {";
  bool first_list = true;
  for (const auto& [name, list] :
       {std::pair{"DisallowRiding", &riding}, {"DisallowTaming", &taming}}) {
    if (list->empty()) continue;
    text += std::string(first_list ? "" : ", ") + "\"" + name + "\": {";
    first_list = false;
    bool first = true;
    for (const Held& held : *list) {
      text += std::string(first ? "" : ", ") + "\"" + std::string(held.class_name) +
              "\": {\"HoursToDelay\": " + std::to_string(held.hours);
      if (!held.display_name.empty()) {
        text += ", \"DisplayName\": \"" + std::string(held.display_name) + "\"";
      }
      text += "}";
      first = false;
    }
    text += "}";
  }
  return text + "}}";
}

// The file most tests start from: Rex held back from riding for 48 hours and from taming for 24,
// the Giganotosaurus from taming for 72, after a wipe at kWipe.
inline std::string standard_config() {
  return config_text({{"Rex_Character_BP_C", 48}},
                     {{"Rex_Character_BP_C", 24}, {"Gigant_Character_BP_C", 72}});
}

}  // namespace qw_test
