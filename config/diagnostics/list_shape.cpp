// A list the plugin reads as something else than the admin wrote: null, an array whose entries
// are filed under their index, or class names that the table takes for one.
#include <algorithm>
#include <cstdint>

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
// byte order of their folded names. Sorting hashes keeps the common case, no twins, cheap.
std::vector<std::vector<const std::string*>> case_twins(const std::vector<ListItem>& items) {
  std::vector<std::pair<std::uint64_t, std::size_t>> hashes;
  hashes.reserve(items.size());
  for (std::size_t index = 0; index < items.size(); ++index) {
    hashes.emplace_back(class_hash(items[index].class_name), index);
  }
  std::sort(hashes.begin(), hashes.end());
  std::vector<std::vector<const std::string*>> groups;
  for (auto run = hashes.begin(); run != hashes.end();) {
    const auto end = std::find_if(run, hashes.end(),
                                  [&](const auto& other) { return other.first != run->first; });
    if (end - run == 1) {
      run = end;
      continue;
    }
    std::vector<bool> taken(static_cast<std::size_t>(end - run));
    for (auto first = run; first != end; ++first) {
      if (taken[static_cast<std::size_t>(first - run)]) continue;
      std::vector<const std::string*> group{&items[first->second].class_name};
      for (auto other = first + 1; other != end; ++other) {
        const std::string& name = items[other->second].class_name;
        if (!same_class(*group.front(), name)) continue;
        taken[static_cast<std::size_t>(other - run)] = true;
        group.push_back(&name);
      }
      if (group.size() > 1) groups.push_back(std::move(group));
    }
    run = end;
  }
  std::sort(groups.begin(), groups.end(), [](const auto& left, const auto& right) {
    return compare_folded(*left.front(), *right.front()) < 0;
  });
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
