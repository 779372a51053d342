// The members the plugin reads, level by level: the one source of their names, of the order in
// which a suggestion tries them, and of what the reader keeps of each. A member more is one line
// of its level's table; the reader, the document and the diagnostics follow from the table.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "config/vocabulary.h"

namespace quellwarden::config {

enum class Level { top, settings, entry, notices, announcements };

// What the reader keeps of a member's value.
enum class Kept {
  value,       // the value: a scalar whole, an array or an object by its kind and first bytes
  level,       // an object whose members are read as the table of `inner` says
  class_list,  // an object from class name to entry (an array or a scalar read as the plugin does)
  elements,    // an array whose elements are each kept as a value; anything else as `value`
};

struct Member {
  std::string_view name;
  Kept kept = Kept::value;
  Level inner = Level::entry;  // the level a Kept::level member holds
};

inline constexpr std::array kTopMembers{
    Member{kWipeTimestamp},
    Member{kDinoSettings, Kept::level, Level::settings},
    Member{kPlayerNotices, Kept::level, Level::notices},
    Member{kAnnouncements, Kept::level, Level::announcements},
    Member{kBypass, Kept::elements},
};
inline constexpr std::array kSettingsMembers{
    Member{kDisallowRiding, Kept::class_list},
    Member{kDisallowTaming, Kept::class_list},
};
inline constexpr std::array kEntryMembers{
    Member{kHoursToDelay},
    Member{kDisplayName},
    Member{kModClass},
};
inline constexpr std::array kNoticeMembers{
    Member{kCooldownSeconds},
    Member{kTamingNotice},
    Member{kImprintingNotice},
    Member{kRidingNotice},
    Member{kChatCommand},
    Member{kTimeZone},
    Member{kUnlocksTaming},
    Member{kUnlocksRiding},
    Member{kUnlocksNone},
    Member{kUnlocksMore},
    Member{kTimeUnits, Kept::elements},
};
inline constexpr std::array kAnnouncementMembers{
    Member{kTamingAnnouncement}, Member{kRidingAnnouncement}, Member{kRemindBefore, Kept::elements},
    Member{kTamingSoon},         Member{kRidingSoon},
};

// The table of `level`.
constexpr std::span<const Member> members_of(Level level) {
  switch (level) {
    case Level::top:
      return kTopMembers;
    case Level::settings:
      return kSettingsMembers;
    case Level::entry:
      return kEntryMembers;
    case Level::notices:
      return kNoticeMembers;
    case Level::announcements:
      return kAnnouncementMembers;
  }
  return {};
}

inline constexpr std::array kLevels{Level::top, Level::settings, Level::entry, Level::notices,
                                    Level::announcements};

// The most members one level has: what the reader counts per object.
inline constexpr std::size_t kMostMembers = [] {
  std::size_t most = 0;
  for (const Level level : kLevels) most = std::max(most, members_of(level).size());
  return most;
}();

// Where `name` stands in `table`; the table's size when it is not there.
constexpr std::size_t index_in(std::span<const Member> table, std::string_view name) {
  return static_cast<std::size_t>(std::ranges::find(table, name, &Member::name) - table.begin());
}

// A member of `kTable` named in the code: a name the table does not hold does not compile.
template <const auto& kTable>
struct MemberOf {
  // Written as the member's name, as the file does.
  consteval MemberOf(const char* name) : index(index_in(kTable, name)) {  // NOLINT(*-explicit-*)
    if (index == kTable.size()) throw std::logic_error("not a member of this level");
  }
  std::size_t index;
};

// One slot of T for each member of `kTable`, reached by the member's name, and the names of the
// members the table does not know, as they come (each once and in byte order once the reader is
// done with the object).
template <const auto& kTable, typename T>
class ByMember {
 public:
  [[nodiscard]] T& operator[](MemberOf<kTable> member) noexcept { return slots_[member.index]; }
  [[nodiscard]] const T& operator[](MemberOf<kTable> member) const noexcept {
    return slots_[member.index];
  }
  // The slot of the member at `index` in the table, for whoever walks the table.
  [[nodiscard]] T& at(std::size_t index) { return slots_.at(index); }
  [[nodiscard]] const T& at(std::size_t index) const { return slots_.at(index); }

  std::vector<std::string> unknown;

 private:
  std::array<T, kTable.size()> slots_{};
};

}  // namespace quellwarden::config
