// What one walk of the configuration file keeps: the members the plugin reads as they stand, the
// names of the members it ignores, the members given twice, the slips read away, and what follows
// the first value.
// Nothing else of the file is held, so its size and depth cost the walk nothing more.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/announcement_settings.h"
#include "config/bypass_list.h"
#include "config/members.h"
#include "config/notice_settings.h"
#include "config/refusal.h"
#include "config/slip_filter.h"
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

// A member of a level that may hold one read element by element (Kept::elements): its value, and
// when that is an array, each element (a scalar whole, an array or an object by its kind and
// start).
struct MemberValue : Value {
  std::vector<Value> elements;
};
using NoticeMembers = ByMember<kNoticeMembers, MemberValue>;
using AnnouncementMembers = ByMember<kAnnouncementMembers, MemberValue>;

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
  std::size_t parse_error_at = 0;          // the library's position: the end of the token it met
  std::vector<Slip> slips;                 // comments and trailing commas, read as meant
  Value top;                               // the first value; for an object, no preview
  bool top_holds_one_object = false;       // an array of exactly one object: [{...}]
  // The top level's members: "DinoSettings", "PlayerNotices" and "Announcements" as an object by
  // its kind only.
  ByMember<kTopMembers, MemberValue> members;
  ByMember<kSettingsMembers, List> lists;  // inside "DinoSettings"
  NoticeMembers notices;                   // inside "PlayerNotices"
  AnnouncementMembers announcements;       // inside "Announcements"
  std::vector<RepeatedMember> repeated;    // as their objects end: inner before outer
  std::optional<TrailingText> trailing;
  // The members that never refuse the file, read once for both the configuration and diagnose().
  NoticeReading notice_reading;
  AnnouncementReading announcement_reading;
  BypassReading bypass_reading;
};

// Reads `bytes` in one pass. A leading UTF-8 byte order mark is skipped; comments and a comma
// right before } or ] are read as if they were not there, and kept as slips; only the first value
// is read, and where it ends is kept. Never throws a JSON error.
Document read_document(std::string_view bytes);

}  // namespace quellwarden::config
