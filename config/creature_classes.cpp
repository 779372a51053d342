// A name within two edits of a game class keeps all but at most six of its trigram positions
// (three letters in a row; an edit spoils three at most), so one of any seven of them is in that
// class: the seven the fewest classes hold name the few candidates, and the edit distance runs on
// those alone, in a band, stopping past two. A mod's name usually has seven trigrams no class
// holds and is done with after one probe of each, however many mod classes a list holds.
#include "config/creature_classes.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/ascii_fold.h"

namespace quellwarden::config {
namespace {

constexpr std::string_view kGameClasses[] = {
#include "config/creature_classes.inc"
};
constexpr std::size_t kClassCount = std::size(kGameClasses);
static_assert(kClassCount < UINT16_MAX);

constexpr std::size_t kMaxEdits = 2;
constexpr std::size_t kTrigramsToProbe = 3 * kMaxEdits + 1;
constexpr std::size_t kLongestName = 64;  // a longer name is no game class nor near one

using ClassId = std::uint16_t;
using Trigram = std::uint32_t;

Trigram trigram_at(std::string_view text, std::size_t at) {
  return static_cast<Trigram>(static_cast<unsigned char>(text[at])) << 16 |
         static_cast<Trigram>(static_cast<unsigned char>(text[at + 1])) << 8 |
         static_cast<unsigned char>(text[at + 2]);
}

std::size_t length_gap(std::size_t a, std::size_t b) { return a < b ? b - a : a - b; }

// Levenshtein distance of `a` and `b` when it is at most kMaxEdits, else kMaxEdits + 1. Cells
// farther than kMaxEdits from the diagonal cannot come back under the bound and are not computed.
std::size_t bounded_distance(std::string_view a, std::string_view b) {
  constexpr std::uint8_t kOver = kMaxEdits + 1;
  if (length_gap(a.size(), b.size()) > kMaxEdits) return kOver;
  std::array<std::uint8_t, kLongestName + 1> row{};
  for (std::size_t column = 0; column <= b.size(); ++column) {
    row[column] = static_cast<std::uint8_t>(std::min<std::size_t>(column, kOver));
  }
  for (std::size_t line = 1; line <= a.size(); ++line) {
    const std::size_t first = line > kMaxEdits ? line - kMaxEdits : 1;
    const std::size_t last = std::min(b.size(), line + kMaxEdits);
    std::uint8_t left = line > kMaxEdits ? kOver : static_cast<std::uint8_t>(line);
    std::uint8_t diagonal = row[first - 1];
    row[first - 1] = left;
    std::uint8_t smallest = left;
    for (std::size_t column = first; column <= last; ++column) {
      const std::uint8_t above = row[column];
      const auto change = static_cast<std::uint8_t>(diagonal + (a[line - 1] != b[column - 1]));
      const auto cell = static_cast<std::uint8_t>(
          std::min({above + 1, left + 1, static_cast<int>(change), static_cast<int>(kOver)}));
      diagonal = above;
      row[column] = cell;
      left = cell;
      smallest = std::min(smallest, cell);
    }
    if (smallest > kMaxEdits) return kOver;
  }
  return row[b.size()];
}

// The classes holding each trigram, found by open addressing on the trigram.
class TrigramIndex {
 public:
  void build(const std::vector<std::string>& names) {
    std::vector<std::pair<Trigram, ClassId>> pairs;
    for (std::size_t id = 0; id < names.size(); ++id) {
      const std::string& name = names[id];
      for (std::size_t at = 0; at + 3 <= name.size(); ++at) {
        pairs.emplace_back(trigram_at(name, at), static_cast<ClassId>(id));
      }
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    std::size_t slots = 1;
    while (slots < 2 * pairs.size()) slots *= 2;
    slots_.assign(slots, Slot{});
    for (std::size_t begin = 0; begin < pairs.size();) {
      std::size_t end = begin;
      while (end < pairs.size() && pairs[end].first == pairs[begin].first) {
        holders_.push_back(pairs[end++].second);
      }
      slots_[slot_at(pairs[begin].first)] = {pairs[begin].first + 1,
                                             static_cast<std::uint32_t>(begin),
                                             static_cast<std::uint32_t>(end - begin)};
      begin = end;
    }
  }

  [[nodiscard]] std::span<const ClassId> holders(Trigram trigram) const {
    const Slot& slot = slots_[slot_at(trigram)];
    return {holders_.data() + slot.begin, slot.count};
  }

 private:
  struct Slot {
    Trigram key_plus_one = 0;  // 0: empty
    std::uint32_t begin = 0;
    std::uint32_t count = 0;
  };

  // The slot holding `trigram`, or the empty one where it would go.
  [[nodiscard]] std::size_t slot_at(Trigram trigram) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = ((trigram * 0x9E3779B1U) >> 8) & mask;; at = (at + 1) & mask) {
      if (slots_[at].key_plus_one == 0 || slots_[at].key_plus_one == trigram + 1) return at;
    }
  }

  std::vector<Slot> slots_;
  std::vector<ClassId> holders_;
};

class ClassIndex {
 public:
  ClassIndex() {
    folded_.reserve(kClassCount);
    for (const std::string_view name : kGameClasses) {
      folded_.push_back(ascii_folded(name));
      shortest_ = std::min(shortest_, name.size());
      longest_ = std::max(longest_, name.size());
    }
    for (std::size_t id = 0; id < kClassCount; ++id) {
      known_.emplace(folded_[id], Known{static_cast<ClassId>(id), true});
    }
    variants_.reserve(3 * kClassCount);
    for (std::size_t id = 0; id < kClassCount; ++id) add_variants(id);
    trigrams_.build(folded_);
  }

  [[nodiscard]] bool holds(std::string_view name) const {
    if (name.size() > kLongestName) return false;
    Folded buffer;
    const auto found = known_.find(fold(name, buffer));
    return found != known_.end() && found->second.exact;
  }

  [[nodiscard]] GameClassMatch match(std::string_view name) const {
    if (name.size() > kLongestName) return {};
    Folded buffer;
    const std::string_view folded = fold(name, buffer);
    if (const auto found = known_.find(folded); found != known_.end()) {
      if (found->second.exact) return {true, std::nullopt};
      return {false, kGameClasses[found->second.id]};
    }
    if (const auto id = nearest(folded)) return {false, kGameClasses[*id]};
    return {};
  }

 private:
  // Each class once, in the order found; on the stack, as this runs for every listed name.
  class Candidates {
   public:
    void add(ClassId id) {
      if (taken_.test(id)) return;
      taken_.set(id);
      ids_[count_++] = id;
    }
    [[nodiscard]] const ClassId* begin() const { return ids_.data(); }
    [[nodiscard]] const ClassId* end() const { return ids_.data() + count_; }

   private:
    std::array<ClassId, kClassCount> ids_;
    std::bitset<kClassCount> taken_;
    std::size_t count_ = 0;
  };
  using Folded = std::array<char, kLongestName>;

  struct Known {
    ClassId id;
    bool exact;  // the class's own name, not a variant of it
  };

  static std::string_view fold(std::string_view name, Folded& buffer) {
    std::transform(name.begin(), name.end(), buffer.begin(), ascii_upper);
    return {buffer.data(), name.size()};
  }

  // The name without its "_C" at the end, without its "BP_", and without both.
  void add_variants(std::size_t id) {
    const std::string& name = folded_[id];
    std::string without_ending =
        ends_folded(name, "_C") ? name.substr(0, name.size() - 2) : std::string();
    std::string without_bp;
    if (const std::size_t bp = name.find("BP_"); bp != std::string::npos) {
      without_bp = std::string(name).erase(bp, 3);
    }
    std::string without_both;
    if (!without_bp.empty() && ends_folded(without_bp, "_C")) {
      without_both = without_bp.substr(0, without_bp.size() - 2);
    }
    for (std::string* variant : {&without_ending, &without_bp, &without_both}) {
      if (variant->empty() || known_.contains(*variant)) continue;
      variants_.push_back(std::move(*variant));
      known_.emplace(variants_.back(), Known{static_cast<ClassId>(id), false});
    }
  }

  // Every class that can lie within kMaxEdits of `name`, each once. Trigrams are taken by
  // position: an edit spoils at most three positions, whether or not their trigrams repeat.
  [[nodiscard]] Candidates candidates(std::string_view name) const {
    Candidates found;
    const std::size_t positions = name.size() >= 3 ? name.size() - 2 : 0;
    if (positions < kTrigramsToProbe) {
      for (std::size_t id = 0; id < kClassCount; ++id) found.add(static_cast<ClassId>(id));
      return found;
    }
    std::array<std::span<const ClassId>, kLongestName> holders;
    std::size_t held_by_none = 0;
    for (std::size_t at = 0; at < positions; ++at) {
      holders[at] = trigrams_.holders(trigram_at(name, at));
      // More spoilt positions than the edits allow: no class is near, as for most mods' names.
      if (holders[at].empty() && ++held_by_none >= kTrigramsToProbe) return found;
    }
    const auto fewer = [](std::span<const ClassId> a, std::span<const ClassId> b) {
      return a.size() < b.size();
    };
    std::nth_element(holders.begin(), holders.begin() + kTrigramsToProbe - 1,
                     holders.begin() + static_cast<std::ptrdiff_t>(positions), fewer);
    for (std::size_t probe = 0; probe < kTrigramsToProbe; ++probe) {
      for (const ClassId id : holders[probe]) found.add(id);
    }
    return found;
  }

  // The class nearest to `name` within kMaxEdits; of equally near ones, the first in the list.
  [[nodiscard]] std::optional<std::size_t> nearest(std::string_view name) const {
    if (name.size() + kMaxEdits < shortest_ || name.size() > longest_ + kMaxEdits) {
      return std::nullopt;
    }
    std::optional<std::size_t> best;
    std::size_t best_distance = kMaxEdits + 1;
    for (const ClassId id : candidates(name)) {
      const std::size_t distance = bounded_distance(name, folded_[id]);
      if (distance < best_distance || (distance == best_distance && best && id < *best)) {
        best = id;
        best_distance = distance;
      }
    }
    return best_distance <= kMaxEdits ? best : std::nullopt;
  }

  std::vector<std::string> folded_;    // by class id, which is the list's order
  std::vector<std::string> variants_;  // reserved up front: the map keeps views of them
  // The classes and their variants, folded: one probe tells a class from a near miss.
  std::unordered_map<std::string_view, Known> known_;
  TrigramIndex trigrams_;
  std::size_t shortest_ = kLongestName;
  std::size_t longest_ = 0;
};

const ClassIndex& class_index() {
  static const ClassIndex index;
  return index;
}

}  // namespace

std::span<const std::string_view> game_classes() { return kGameClasses; }

bool is_game_class(std::string_view class_name) { return class_index().holds(class_name); }

GameClassMatch match_game_class(std::string_view class_name) {
  return class_index().match(class_name);
}

}  // namespace quellwarden::config
