// A list the plugin reads as something else than the admin wrote: null, an array whose entries
// are filed under their index, or class names that the table takes for one.
#include <algorithm>

#include "config/diagnostics/checks.h"
#include "core/same_class.h"
#include "text/quoted_text.h"

namespace quellwarden::config {
namespace {

std::string quoted_names(const std::vector<const std::string*>& names) {
  std::vector<std::string> quoted;
  for (const std::string* name : names) quoted.push_back(in_quotes(*name));
  return spoken_list(quoted);
}

// Groups of two or more names equal but for letter case, each in byte order, the groups in the
// byte order of their folded names. The items come in byte order, which a stable sort keeps.
std::vector<std::vector<const std::string*>> case_twins(const std::vector<ListItem>& items) {
  std::vector<const std::string*> names;
  names.reserve(items.size());
  for (const ListItem& item : items) names.push_back(&item.class_name);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string* left, const std::string* right) {
                     return compare_folded(*left, *right) < 0;
                   });
  std::vector<std::vector<const std::string*>> groups;
  for (auto run = names.begin(); run != names.end();) {
    const auto end = std::find_if(
        run, names.end(), [&](const std::string* name) { return !same_class(**run, *name); });
    if (end - run > 1) groups.emplace_back(run, end);
    run = end;
  }
  return groups;
}

}  // namespace

void check_list_shape(const List& list, std::string_view list_name, const MemberPath& path,
                      Diagnostics& out) {
  const ValueType shape = list.shape.type();
  if (shape == ValueType::null) {
    out.push_back({DiagnosticCode::null_list, path,
                   in_quotes(list_name) +
                       " is null, so the plugin holds back no class in it; write {} for an "
                       "empty list, or an object from class name to entry"});
  }
  if (shape == ValueType::array && !list.items.empty()) {
    const std::size_t size = list.items.size();
    const std::string names = size == 1
                                  ? "the class name \"0\""
                                  : "the class names \"0\" to \"" + std::to_string(size - 1) + "\"";
    out.push_back({DiagnosticCode::list_is_array, path,
                   in_quotes(list_name) + " is an array, so the plugin files its entries under " +
                       names + "; it should be an object from class name to entry"});
  }
  if (shape != ValueType::object) return;
  for (const auto& names : case_twins(list.items)) {
    out.push_back({DiagnosticCode::case_twin, path,
                   "class names " + quoted_names(names) + " in " + in_quotes(list_name) +
                       " differ only in letter case; the plugin keeps one class, " +
                       in_quotes(*names.back()) + ", the last in byte order"});
  }
}

}  // namespace quellwarden::config
