// The configuration's words, said once: member names, where the file lies, the number rules and
// limits, and every fixed text the plugin logs or answers (the status's lines too). The plugin
// and the tools both use it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace quellwarden::config {

// Member names, as the file spells them.
inline constexpr char kWipeTimestamp[] = "WipeTimestamp";
inline constexpr char kDinoSettings[] = "DinoSettings";
inline constexpr char kDisallowRiding[] = "DisallowRiding";
inline constexpr char kDisallowTaming[] = "DisallowTaming";
inline constexpr char kHoursToDelay[] = "HoursToDelay";
inline constexpr char kDisplayName[] = "DisplayName";  // beside HoursToDelay, for players
inline constexpr char kModClass[] = "ModClass";  // beside HoursToDelay: not the game's own class
inline constexpr char kPlayerNotices[] = "PlayerNotices";
inline constexpr char kCooldownSeconds[] = "CooldownSeconds";
inline constexpr char kTamingNotice[] = "Taming";
inline constexpr char kImprintingNotice[] = "Imprinting";
inline constexpr char kRidingNotice[] = "Riding";
inline constexpr char kChatCommand[] = "ChatCommand";
inline constexpr char kAnnouncements[] = "Announcements";  // beside "PlayerNotices"
inline constexpr char kTamingAnnouncement[] = "Taming";
inline constexpr char kRidingAnnouncement[] = "Riding";
inline constexpr char kRemindBefore[] = "RemindBefore";  // seconds before each unlock
inline constexpr char kTamingSoon[] = "TamingSoon";
inline constexpr char kRidingSoon[] = "RidingSoon";
inline constexpr char kBypass[] = "Bypass";  // players' unique ids that no gate holds back
inline constexpr char kTimeZone[] = "TimeZone";
inline constexpr char kUnlocksTaming[] = "UnlocksTaming";
inline constexpr char kUnlocksRiding[] = "UnlocksRiding";
inline constexpr char kUnlocksNone[] = "UnlocksNone";
inline constexpr char kUnlocksMore[] = "UnlocksMore";
inline constexpr char kTimeUnits[] = "TimeUnits";

// What players are told when "PlayerNotices" leaves a member out. Placeholders: {creature} (the
// display name, else the name players know the class by, else the class name), {class}, {left}
// ("2d 3h 5m"), {unlock} (minutes, in the zone "TimeZone" names); {count} in "UnlocksMore" only.
inline constexpr std::int64_t kDefaultCooldownSeconds = 30;
inline constexpr char kDefaultTamingNotice[] = "{creature} can be tamed in {left}.";
inline constexpr char kDefaultImprintingNotice[] = "{creature} babies can be imprinted in {left}.";
inline constexpr char kDefaultRidingNotice[] = "{creature} can be ridden in {left}.";
inline constexpr char kDefaultChatCommand[] = "/unlocks";
inline constexpr char kDefaultUnlocksTaming[] = "taming {creature}: {left} left";
inline constexpr char kDefaultUnlocksRiding[] = "riding {creature}: {left} left";
inline constexpr char kDefaultUnlocksNone[] = "Nothing is held back.";
inline constexpr char kDefaultUnlocksMore[] = "... and {count} more";
inline constexpr char kUtcZone[] = "UTC";      // "TimeZone": UTC, the default
inline constexpr char kLocalZone[] = "local";  // "TimeZone": the server machine's zone
// "TimeUnits": days, hours, minutes, and seconds (which may be left out: "s" then).
inline constexpr std::array<const char*, 4> kDefaultTimeUnits{"d", "h", "m", "s"};
// A text a player receives is cut to this, so no file can flood a server's chat.
inline constexpr std::size_t kMostPlayerTextBytes = 500;
inline constexpr char kCutMark[] = "...";
inline constexpr std::size_t kMostDisplayNameCharacters = 64;
// The chat command's answer lists at most this many classes, the soonest first.
inline constexpr std::size_t kMostUnlockLines = 10;

// The file lies in these folders below the server's working directory.
inline constexpr char kArkApiFolder[] = "ArkApi";
inline constexpr char kPluginsFolder[] = "Plugins";
inline constexpr char kPluginFolder[] = "Quellwarden";
inline constexpr char kConfigFileName[] = "config.json";

// The copy of the file that last applied, beside it; a restart with a refused file applies it.
inline constexpr char kLastGoodFileName[] = "config.lastgood.json";

// "ArkApi/Plugins/Quellwarden/config.json": a file of the plugin's folder as text, for people.
inline std::string plugin_file_text(const char* file_name) {
  return std::string(kArkApiFolder) + '/' + kPluginsFolder + '/' + kPluginFolder + '/' + file_name;
}
inline std::string config_path_text() { return plugin_file_text(kConfigFileName); }

// Number rules: unlock time = wipe timestamp + hours * seconds per hour, all in signed 64 bits.
inline constexpr std::int64_t kSecondsPerHour = 3600;
inline constexpr std::int64_t kSecondsPerDay = 24 * kSecondsPerHour;
inline constexpr std::int64_t kMaxNumber = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t kMinNumber = std::numeric_limits<std::int64_t>::min();

// a + b, and a * b for b > 0; nothing where the result (undefined in C++) leaves the range.
constexpr std::optional<std::int64_t> checked_add(std::int64_t a, std::int64_t b) {
  return (b > 0 ? a > kMaxNumber - b : a < kMinNumber - b) ? std::nullopt : std::optional(a + b);
}
constexpr std::optional<std::int64_t> checked_multiply(std::int64_t a, std::int64_t b) {
  return a > kMaxNumber / b || a < kMinNumber / b ? std::nullopt : std::optional(a * b);
}
// A double fits the signed 64-bit range when it lies in [-2^63, 2^63).
inline constexpr double kTwoToThe63 = 9223372036854775808.0;

// Limits past which a valid number is almost surely a mistake.
inline constexpr std::int64_t kSecondsPerYear = 365 * kSecondsPerDay;
inline constexpr std::int64_t kAbsurdHours = 10 * 365 * 24;  // ten years
// A number of 13 digits: as Unix seconds past the year 33000, as milliseconds any date since 2001.
inline constexpr std::size_t kMillisecondsDigits = 13;
// A class name as the game gives it ends so.
inline constexpr char kClassNameEnding[] = "_C";

// Fixed texts of the plugin's log and replies.
inline constexpr char kPluginLogName[] = "Quellwarden";
inline constexpr char kOpenFailure[] = "Config failed to open";
inline constexpr char kOpenFailureHint[] = "tried to open {}: {}";  // the full path, the reason
inline constexpr char kParseFailure[] = "Config has parsing ERROR! ";
// The JSON library's own words for a value of the wrong type, as the plugin always logged them;
// format texts: the library's name of the type found.
inline constexpr char kNotAnObjectError[] =
    "[json.exception.type_error.306] cannot use value() with {}";
inline constexpr char kNotANumberError[] =
    "[json.exception.type_error.302] type must be number, but is {}";
inline constexpr char kAddingClass[] = "Adding a {}";  // a format text: the class name
inline constexpr char kReloadCommand[] = "Quellwarden.reload";
inline constexpr char kReloaded[] = "Quellwarden : Reloaded config";
inline constexpr char kReloadFailed[] = "Quellwarden: Failed to reload config";
inline constexpr char kStatusCommand[] = "Quellwarden.status";
// The commands that edit config.json for the admin, console and RCON only.
inline constexpr char kSetWipeCommand[] = "Quellwarden.setwipe";
inline constexpr char kShiftCommand[] = "Quellwarden.shift";
inline constexpr char kDelayCommand[] = "Quellwarden.delay";
inline constexpr char kUnlockCommand[] = "Quellwarden.unlock";
inline constexpr char kEditApplied[] = "{}; {} held back now";  // the changes, how many classes
inline constexpr char kEditRefused[] = "nothing written: {}";   // why
inline constexpr char kEditLogged[] = "{} ({}): {}";            // command, channel, one change
inline constexpr char kEditNotReloaded[] = "config.json was written, but the reload refused it: {}";
inline constexpr char kVersionLine[] = "Quellwarden {}";  // the version
inline constexpr char kLoadedConfig[] =
    "Loaded config: wipe {}, {} riding and {} taming classes, {} held back now";
inline constexpr char kWarningsNotice[] = "Quellwarden : {} {}, see Quellwarden.status";
inline constexpr char kLoadFailed[] = "Quellwarden load failed";
inline constexpr char kHookFailed[] = "Failed to hook {}; {} is not held back";
inline constexpr char kRemoveHookFailed[] = "Failed to remove hook {}";
// The host's timer that sends announcements, registered only while they are on.
inline constexpr char kAnnouncementTimer[] = "Quellwarden.announcements";
// add/remove, what ("console command", "RCON command", "chat command", "timer"), the name
inline constexpr char kRegistrationFailed[] = "Failed to {} {} {}";
// A command's outcome ("applied the configuration", "changed nothing") and what failed the reply.
inline constexpr char kReplyFailed[] = "{} {}, but its reply could not be made: {}";
inline constexpr char kBlocksLeftBehind[] =
    "the game would not take back {} blocks of memory; they were left";
// The copy of the applied file: its path as text, when it was written (UTC), config.json's name.
inline constexpr char kLastGoodNotKept[] =
    "could not keep a copy of the applied configuration in {}: {}";
inline constexpr char kLastGoodApplied[] =
    "applied the last good configuration from {}, written {}, instead: {} was refused";
inline constexpr char kLastGoodRefused[] =
    "the last good configuration from {}, written {}, was refused too; nothing is held back";
// A start that applied what reads of a refused config.json: class, list, why its entry is wrong.
inline constexpr char kHeldUntilFixed[] = "{} in {}: held back until config.json is fixed: {}";
// A start whose config.json was refused and whose last good copy holds nothing back any more: the
// copy's path as text, when it was written (UTC).
inline constexpr char kLastGoodFromEarlierWipe[] =
    "the last good configuration from {}, written {}, is from an earlier wipe (every unlock is "
    "past): not applied";

// Fixed texts of the status, line by line; format texts.
inline constexpr char kStatusNothingInForce[] =
    "Quellwarden {}: no configuration in force; nothing is held back";  // the version
inline constexpr char kStatusNothingInForceRefused[] =
    "Quellwarden {}: no configuration in force; nothing is held back because config.json was "
    "refused";
// After a start that applied what reads of a refused config.json: the number of held entries.
inline constexpr char kStatusSalvaged[] =
    "config.json was refused at start: what reads of it applies, and {} {} held back until "
    "config.json is fixed";
inline constexpr char kStatusHeldUntilFixed[] = "{} {}: held back until config.json is fixed: {}";
inline constexpr char kStatusSalvageInForce[] =
    "what reads of it applies, its wrong entries held back until it is fixed";
inline constexpr char kStatusHeadline[] = "Quellwarden {}: wipe {} ({}), now {}";
inline constexpr char kStatusLastLoadFailed[] = "last load failed at {}: {}; {}";
// When, what the plugin did instead (kLastGoodApplied), and why config.json was refused.
inline constexpr char kStatusFellBack[] = "last load at {} {}: {}";
inline constexpr char kStatusNoticesOn[] = "player notices: on, cooldown {} s, chat command {}";
inline constexpr char kStatusNoticesOff[] = "player notices: off";
inline constexpr char kStatusNoChatCommand[] = "none";
// Only while announcements are on: the reminders' leads ("1h 0m and 10m"), or kStatusNoReminders.
inline constexpr char kStatusAnnouncementsOn[] = "announcements: on, {}";
inline constexpr char kStatusReminders[] = "reminders {} before each unlock";
inline constexpr char kStatusNoReminders[] = "no reminders";
// One line per id of "Bypass": the id, the count, "refusal" or "refusals".
inline constexpr char kStatusBypass[] = "bypass {}: {} {} skipped since start";
inline constexpr char kStatusChatCommandRefused[] = "off (the host refused {})";  // the command
// A gate whose hook the host refused: the gate ("taming", "imprint", "riding"), what it holds back.
inline constexpr char kStatusGateMissing[] =
    "{} gate not installed: {} is not held back (the host refused the hook)";
// A locked entry whose gate's hook the host refused: list, class, unlock time.
inline constexpr char kStatusGateOff[] =
    "{0} {1}: not held back, the {0} gate is not installed (unlock {2})";
// What a filter asked for, each part only when it did: " held back now", " with "rex" in its name".
inline constexpr char kStatusNoMatch[] = "no class{}{}";
inline constexpr char kStatusHeldBackNow[] = " held back now";
inline constexpr char kStatusNameHolds[] = " with {} in its name";
inline constexpr char kStatusPreviousInForce[] = "the previous configuration is still in force";
inline constexpr char kStatusNothingHeldBack[] = "nothing is held back";
inline constexpr char kStatusLocked[] = "{} {}: locked until {} ({} left)";  // list, class, ...
inline constexpr char kStatusReleased[] = "{} {}: released at {}";
// After an entry's line: a class the game's list does not have, or one its entry calls a mod's.
inline constexpr char kNotInGameListMark[] = " (not in the game's list)";
inline constexpr char kModClassMark[] = " (mod class)";
inline constexpr char kStatusNoClasses[] = "{}: no classes";
inline constexpr char kStatusHostFailures[] =
    "the host failed the gates {} {}; the game decided alone";  // count, "time" or "times"
inline constexpr char kStatusWarning[] = "warning: {}";
// The log and the status show this many warnings, then how many more (the JSON keeps them all).
inline constexpr std::size_t kMostWarningsShown = 100;
inline constexpr char kMoreWarnings[] =
    "... and {} more warnings (quellwarden-check lists them all)";
// "Quellwarden.status next": the gate, the class (kNextUnlockNamed or the class alone), when (UTC),
// time left; with nothing ahead, the gate and kNextNothingHeldBack or kStatusNameHolds.
inline constexpr char kNextUnlock[] = "next {} unlock: {} at {}, in {}";
inline constexpr char kNextUnlockNone[] = "next {} unlock: none{}";
inline constexpr char kNextNothingHeldBack[] = ", nothing is held back";
inline constexpr char kNextHeldUntilFixed[] = ", held until config.json is fixed";
// "Quellwarden.status seen": the classes the gates met since start, then the listed ones none met.
inline constexpr char kSeenHeadline[] = "Quellwarden {}: classes the gates met since start";
inline constexpr char kSeenClass[] = "{}: {}{}";  // class, gate calls, kSeenNotListed or nothing
inline constexpr char kSeenNotListed[] = " (not listed)";
inline constexpr char kSeenNotMet[] = "{} (no creature of this class met yet)";
inline constexpr char kSeenNoMatch[] = "no class met or listed{}";  // kStatusNameHolds or nothing
inline constexpr char kSeenUnkept[] =
    "{} more gate calls on classes beyond the first {}, counted but not kept";

}  // namespace quellwarden::config
