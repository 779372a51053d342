// What one walk of the configuration file keeps: the members the plugin reads as they stand, the
// names of the members it ignores, the members given twice, and what follows the first value.
// Nothing else of the file is held, so its size and depth cost the walk nothing more.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/members.h"
#include "config/refusal.h"
#include "config/value.h"

namespace quellwarden::config {

// One item of "DisallowRiding" or "DisallowTaming", as the loader adds it.
struct ListItem {
  std::string class_name;  // the member name; an array's index; "" for a list that is a scalar
  ValueType type = ValueType::object;  // of the item itself; only an object is an entry
  // Its members; for an item that is no object, "HoursToDelay" holds the item itself, which is
  // what the plugin asks it for.
  ByMember<kEntryMembers, Value> members;

  // Its "ModClass" is true: a mod's class, not the game's.
  [[nodiscard]] bool mod_class() const {
    const Value& mod_class = members[kModClass];
    return mod_class.type() == ValueType::boolean && mod_class.held().get<bool>();
  }
};

using NoticeMembers = ByMember<kNoticeMembers, Value>;

// An array of texts a member keeps whole (Kept::texts): absent when the member is no array, or
// holds anything but texts, or more than kMostKeptTexts of them.
using KeptTexts = std::optional<std::vector<std::string>>;
inline constexpr std::size_t kMostKeptTexts = 8;

struct List {
  Value shape;  // absent when the file has no such list; for an array or object, no preview
  // By class name in byte order, the last of equal names kept (an object), or by index (an
  // array); one item for a scalar.
  std::vector<ListItem> items;
};

// A member name given more than once in one object the plugin reads; the parser keeps the last.
struct RepeatedMember {
  MemberPath path;  // to the member; its length tells the level: 1 top, 2 settings, 3 list, 4 entry
  std::size_t count = 0;
};

// Where text after the first JSON value starts, and its first bytes.
struct TrailingText {
  std::size_t line = 0;
  std::size_t column = 0;
  std::string start;  // up to 24 bytes, unescaped
  bool cut = false;   // more follows
};

struct Document {
  std::optional<std::string> parse_error;  // the library's own text; nothing else is set then
  Value top;                               // the first value; for an object, no preview
  bool top_holds_one_object = false;       // an array of exactly one object: [{...}]
  // The top level's members: "DinoSettings" and "PlayerNotices" as an object by its kind only.
  ByMember<kTopMembers, Value> members;
  ByMember<kSettingsMembers, List> lists;            // inside "DinoSettings"
  NoticeMembers notices;                             // inside "PlayerNotices"
  ByMember<kNoticeMembers, KeptTexts> notice_texts;  // those kept whole, beside `notices`
  std::vector<RepeatedMember> repeated;              // as their objects end: inner before outer
  std::optional<TrailingText> trailing;
};

// Reads `bytes` in one pass. A leading UTF-8 byte order mark is skipped; comments are syntax
// errors; only the first value is read, and where it ends is kept. Never throws a JSON error.
Document read_document(std::string_view bytes);

}  // namespace quellwarden::config
