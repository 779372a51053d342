// What an admin writes for a class is most often what players call the creature, in the shape of a
// class name ("Giganotosaurus_Character_BP_C"), so the common names are asked first; the edit
// distance only catches typos in the game's own names, and would offer a Beaver for a Reaper.
#include "config/creature_classes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/ascii_fold.h"

namespace quellwarden::config {
namespace {

constexpr GameClass kGameClasses[] = {
#include "config/creature_classes.inc"
};
constexpr std::size_t kClassCount = std::size(kGameClasses);
static_assert(kClassCount < UINT16_MAX);

constexpr std::size_t kMaxEdits = 2;
constexpr std::size_t kMostMeant = 3;

using ClassId = std::uint16_t;

std::size_t length_gap(std::size_t a, std::size_t b) { return a < b ? b - a : a - b; }

// The bytes a name holds, a bit each (bytes that share a bit only weaken the test below).
std::uint64_t letters_of(std::string_view folded) {
  std::uint64_t letters = 0;
  for (const char byte : folded) {
    letters |= std::uint64_t{1} << (static_cast<unsigned char>(byte) & 63U);
  }
  return letters;
}

// Whether more than kMaxEdits bits are set: each step clears the lowest one.
bool more_than_max_edits(std::uint64_t bits) {
  for (std::size_t step = 0; step < kMaxEdits; ++step) bits &= bits - 1;
  return bits != 0;
}

// An edit brings in at most one letter a name lacked and takes away at most one it had: names
// whose letters differ by more than kMaxEdits either way are farther apart than that, which turns
// away nearly every class in a few instructions.
bool letters_too_far(std::uint64_t a, std::uint64_t b) {
  return more_than_max_edits(a & ~b) || more_than_max_edits(b & ~a);
}

bool is_ascii_lower(char byte) { return byte >= 'a' && byte <= 'z'; }
bool is_ascii_upper(char byte) { return byte >= 'A' && byte <= 'Z'; }
bool is_ascii_alphanumeric(char byte) {
  return is_ascii_lower(byte) || is_ascii_upper(byte) || (byte >= '0' && byte <= '9');
}
// Parts every class name has, which say nothing of the creature.
bool is_no_word(std::string_view word) {
  return word == "CHARACTER" || word == "BP" || word == "C";
}

// The words of a listed name, folded: split at "_", blanks and a lower case letter followed by an
// upper case one ("FireWyvern" is "FIRE", "WYVERN").
std::vector<std::string> listed_name_words(std::string_view name) {
  std::vector<std::string> words;
  std::string word;
  const auto finish = [&] {
    if (!word.empty() && !is_no_word(word)) words.push_back(word);
    word.clear();
  };
  for (std::size_t at = 0; at < name.size(); ++at) {
    const char byte = name[at];
    if (byte == '_' || byte == ' ' || byte == '\t') {
      finish();
      continue;
    }
    if (at > 0 && is_ascii_upper(byte) && is_ascii_lower(name[at - 1])) finish();
    word += ascii_upper(byte);
  }
  finish();
  return words;
}

// The words of a common name, folded, without blanks or punctuation: "Reaper King (tamed)" is
// "REAPER", "KING", "TAMED".
std::vector<std::string> common_name_words(std::string_view name) {
  std::vector<std::string> words(1);
  for (const char byte : name) {
    if (is_ascii_alphanumeric(byte)) {
      words.back() += ascii_upper(byte);
    } else if (!words.back().empty()) {
      words.emplace_back();
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

class ClassIndex {
 public:
  ClassIndex() {
    folded_.reserve(kClassCount);  // the map keeps views of them
    for (std::size_t id = 0; id < kClassCount; ++id) {
      folded_.push_back(ascii_folded(kGameClasses[id].class_name));
      letters_.push_back(letters_of(folded_.back()));
      known_.emplace(folded_.back(), Known{static_cast<ClassId>(id), true});
    }
    variants_.reserve(3 * kClassCount);
    for (std::size_t id = 0; id < kClassCount; ++id) {
      add_variants(id);
      add_common_name(static_cast<ClassId>(id));
    }
  }

  [[nodiscard]] std::optional<ClassId> exact(std::string_view name) const {
    if (name.size() > kLongestClassName) return std::nullopt;
    Folded buffer;
    const auto found = known_.find(fold(name, buffer));
    if (found == known_.end() || !found->second.exact) return std::nullopt;
    return found->second.id;
  }
  [[nodiscard]] bool holds(std::string_view name) const { return exact(name).has_value(); }

  [[nodiscard]] GameClassMatch match(std::string_view name) const {
    GameClassMatch result;
    if (holds(name)) {
      result.in_game_list = true;
      return result;
    }
    for (const ClassId id : by_common_name(name)) result.meant.push_back(kGameClasses[id]);
    if (result.meant.empty()) {
      if (const auto id = nearest(name)) result.meant.push_back(kGameClasses[*id]);
    }
    return result;
  }

  // The class `name` is a variant of, or else the nearest within kMaxEdits after ASCII letter
  // case is folded; of equally near ones, the first in the list. Every class is tried: their
  // letters turn most of them away before the distance runs.
  [[nodiscard]] std::optional<ClassId> nearest(std::string_view name) const {
    if (name.size() > kLongestClassName) return std::nullopt;
    Folded buffer;
    const std::string_view folded = fold(name, buffer);
    if (const auto found = known_.find(folded); found != known_.end()) return found->second.id;
    const std::uint64_t letters = letters_of(folded);
    std::optional<ClassId> best;
    std::size_t best_distance = kMaxEdits + 1;
    for (std::size_t id = 0; id < kClassCount && best_distance > 0; ++id) {
      if (letters_too_far(letters, letters_[id])) continue;
      const std::size_t distance = near_distance(folded, folded_[id]);
      if (distance < best_distance) {
        best = static_cast<ClassId>(id);
        best_distance = distance;
      }
    }
    return best;
  }

 private:
  using Folded = std::array<char, kLongestClassName>;

  struct Known {
    ClassId id;
    bool exact;  // the class's own name, not a variant of it
  };

  // A class whose common name, or one of its words, is a key of by_word_; the lower its rank,
  // the more surely it was meant.
  enum class Rank : std::uint8_t { whole_name, first_word, later_word };
  struct WordHit {
    ClassId id;
    Rank rank;
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

  void add_common_name(ClassId id) {
    const std::vector<std::string> words = common_name_words(kGameClasses[id].common_name);
    std::string whole;
    for (std::size_t at = 0; at < words.size(); ++at) {
      const Rank rank = words.size() == 1 ? Rank::whole_name
                        : at == 0         ? Rank::first_word
                                          : Rank::later_word;
      by_word_[words[at]].push_back({id, rank});
      whole += words[at];
    }
    if (words.size() > 1) by_word_[whole].push_back({id, Rank::whole_name});
    longest_key_ = std::max(longest_key_, whole.size());
  }

  // The classes whose common name `name` says, best first, at most kMostMeant. Runs of words are
  // joined only up to the longest common name, so a long name costs no more than its length.
  [[nodiscard]] std::vector<ClassId> by_common_name(std::string_view name) const {
    const std::vector<std::string> words = listed_name_words(name);
    std::vector<WordHit> hits;
    for (std::size_t first = 0; first < words.size(); ++first) {
      std::string run;
      for (std::size_t last = first; last < words.size(); ++last) {
        run += words[last];
        if (run.size() > longest_key_) break;
        const auto found = by_word_.find(run);
        if (found == by_word_.end()) continue;
        for (const WordHit& hit : found->second) add_hit(hit, hits);
      }
    }
    std::sort(hits.begin(), hits.end(), [](const WordHit& a, const WordHit& b) {
      const std::size_t a_length = kGameClasses[a.id].common_name.size();
      const std::size_t b_length = kGameClasses[b.id].common_name.size();
      if (a.rank != b.rank) return a.rank < b.rank;
      return a_length != b_length ? a_length < b_length : a.id < b.id;
    });
    std::vector<ClassId> best;
    for (std::size_t at = 0; at < hits.size() && at < kMostMeant; ++at) best.push_back(hits[at].id);
    return best;
  }

  // Each class once, ranked by its best match.
  static void add_hit(const WordHit& hit, std::vector<WordHit>& hits) {
    const auto same = std::find_if(hits.begin(), hits.end(),
                                   [&](const WordHit& held) { return held.id == hit.id; });
    if (same == hits.end()) {
      hits.push_back(hit);
    } else {
      same->rank = std::min(same->rank, hit.rank);
    }
  }

  std::vector<std::string> folded_;     // by class id, which is the list's order
  std::vector<std::uint64_t> letters_;  // letters_of(folded_), by class id
  std::vector<std::string> variants_;   // reserved up front: the map keeps views of them
  // The classes and their variants, folded: one probe tells a class from a near miss.
  std::unordered_map<std::string_view, Known> known_;
  // The common names, whole and word by word, folded and without blanks or punctuation.
  std::unordered_map<std::string, std::vector<WordHit>> by_word_;
  std::size_t longest_key_ = 0;
};

const ClassIndex& class_index() {
  static const ClassIndex index;
  return index;
}

}  // namespace

// Cells farther than kMaxEdits from the diagonal cannot come back under the bound and are not
// computed.
std::size_t near_distance(std::string_view a, std::string_view b) {
  constexpr std::uint8_t kOver = kMaxEdits + 1;
  if (length_gap(a.size(), b.size()) > kMaxEdits) return kOver;
  std::array<std::uint8_t, kLongestClassName + 1> row{};
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

std::span<const GameClass> game_classes() { return kGameClasses; }

bool is_game_class(std::string_view class_name) { return class_index().holds(class_name); }

std::optional<GameClass> game_class_named(std::string_view class_name) {
  const auto id = class_index().exact(class_name);
  return id ? std::optional<GameClass>(kGameClasses[*id]) : std::nullopt;
}

GameClassMatch match_game_class(std::string_view class_name) {
  return class_index().match(class_name);
}

std::optional<GameClass> nearest_game_class(std::string_view class_name) {
  const auto id = class_index().nearest(class_name);
  return id ? std::optional<GameClass>(kGameClasses[*id]) : std::nullopt;
}

}  // namespace quellwarden::config
