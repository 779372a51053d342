// The checks diagnose() runs over what the reader read, each judging one side of the file. Each
// builds a warning's text only when it raises the warning.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "config/config_reader.h"
#include "config/diagnostics.h"
#include "config/document.h"
#include "config/member_names.h"

namespace quellwarden::config {

using Diagnostics = std::vector<Diagnostic>;

// "class \"Rex_C\" in \"DisallowTaming\"": an entry as warnings name it.
std::string entry_place(std::string_view class_name, std::string_view list_name);

// Members the plugin ignores or expects elsewhere, `names` in byte order, standing at `level` of
// the object at `path`; `where` says it: "at the top level", "of class \"Rex_C\" in ...".
void check_unknown_members(const std::vector<std::string>& names, Level level,
                           std::string_view where, const MemberPath& path, Diagnostics& out);

// A list that is null, an array, or holds class names that differ only in letter case.
void check_list_shape(const List& list, std::string_view list_name, const MemberPath& path,
                      Diagnostics& out);

// What is wrong with a class name of the list `list_name`, which stands at `list_path`, if
// anything: a blueprint path, quotes, blanks or control characters in it, or no "_C" at its end.
std::optional<Diagnostic> class_name_diagnostic(std::string_view class_name,
                                                std::string_view list_name,
                                                const MemberPath& list_path);

// A class name holding an invisible character (a Unicode format character or a no-break space),
// naming the first one and where it stands.
std::optional<Diagnostic> invisible_character_diagnostic(std::string_view class_name,
                                                         std::string_view list_name,
                                                         const MemberPath& list_path);

// The class name without the characters invisible_character_diagnostic() finds.
std::string without_invisible_characters(std::string_view class_name);

// A "ModClass" of `item` that is not true or false, which counts as false.
std::optional<Diagnostic> mod_class_diagnostic(const ListItem& item, std::string_view list_name,
                                               const MemberPath& list_path);

// Those diagnostics for the class name of `item`, and beside them, unless the entry says it is a
// mod's class, that it is not a class of the game, with the game's classes it was likely meant as.
void check_class_name(const ListItem& item, std::string_view list_name, const MemberPath& list_path,
                      Diagnostics& out);

// The whole number the plugin makes of a boolean or a fraction, explained: "is 1.5, not a whole
// number; the plugin cuts it to 1"; nothing for a whole number.
std::optional<std::string> conversion_note(const Value& value);

// Hours that are missing, negative, not whole or absurd, of an entry in the list at `list_path`.
void check_hours(const ListItem& item, std::string_view list_name, const MemberPath& list_path,
                 Diagnostics& out);

// A missing or not whole "WipeTimestamp", or one in milliseconds.
void check_wipe_member(const Value& wipe, Diagnostics& out);

// A wipe time in the future (unless in milliseconds), more than a year ago, or so long ago that
// every listed unlock is past. `wipe` is the member as the file gives it; absent, nothing is said.
Diagnostics wipe_diagnostics(const Configuration& configuration, const Value& wipe,
                             std::int64_t now);

// Each text of the player notices that can grow past what a player receives once filled with the
// longest values this file gives its placeholders, judged at `now`.
void check_player_text_lengths(const Configuration& configuration, std::int64_t now,
                               Diagnostics& out);

// Members given twice where the plugin reads (the parser keeps the last one).
void check_repeated_members(const std::vector<RepeatedMember>& repeated, Diagnostics& out);

// Each comment and each comma right before } or ], which the reader reads as if not there.
void check_slips(const std::vector<Slip>& slips, Diagnostics& out);

// Anything but blanks after the first JSON value, which the reader never sees.
void check_trailing_text(const std::optional<TrailingText>& trailing, Diagnostics& out);

}  // namespace quellwarden::config
