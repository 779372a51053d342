// Control surface of the stand-in host and game: what tests, the sandbox and the tools use to
// drive the world the plugin runs in and to read back what it did. The plugin never includes this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/export.h"
#include "host/game_types.h"
#include "standin/game_objects.h"

namespace standin {

// ---- The game's allocator -------------------------------------------------------------------
struct AllocatorStats {
  std::size_t live_blocks = 0;
  std::size_t live_bytes = 0;
  std::size_t allocations = 0;  // every Malloc and every Realloc that produced a block
  std::size_t frees = 0;        // every Free and every Realloc to size 0
};
ASAAPI_EXPORT AllocatorStats allocator_stats();

// Called on a double free, a free of a block never given out, or a realloc of one. The default
// prints the message to standard error and aborts; tests may install one that throws or records.
using AllocatorViolationHandler = std::function<void(const std::string& message)>;
ASAAPI_EXPORT void set_allocator_violation_handler(AllocatorViolationHandler handler);

// ---- The runtime clock (_Xtime_get_ticks) ---------------------------------------------------
inline constexpr long long kTicksPerSecond = 10'000'000;
// The seconds the clock can hold: its 100-nanosecond ticks fill a signed 64-bit number.
inline constexpr std::int64_t kClockFirstSecond =
    std::numeric_limits<long long>::min() / kTicksPerSecond;
inline constexpr std::int64_t kClockLastSecond =
    std::numeric_limits<long long>::max() / kTicksPerSecond;
// Freezes the clock at that Unix second until changed or thawed. A second outside
// [kClockFirstSecond, kClockLastSecond] is refused (false) and the clock stays as it was.
ASAAPI_EXPORT bool freeze_clock(std::int64_t unix_seconds);
// Back to the system wall clock.
ASAAPI_EXPORT void thaw_clock();
ASAAPI_EXPORT bool clock_frozen();
ASAAPI_EXPORT std::int64_t clock_seconds();

// ---- Game objects ---------------------------------------------------------------------------
// A creature of the given class; it lives until reset_world(). Its own instance name differs from
// its class name, as in the game.
ASAAPI_EXPORT APrimalDinoCharacter* spawn_creature(std::string_view class_name_utf8);
ASAAPI_EXPORT std::string class_name_of(const APrimalDinoCharacter* creature);
ASAAPI_EXPORT AShooterPlayerController* player(std::string_view name);
ASAAPI_EXPORT AShooterCharacter* rider(std::string_view name);
// Destroys every creature, player and rider.
ASAAPI_EXPORT void reset_world();

// ---- The three gated game functions ---------------------------------------------------------
// Called as the game calls them: through the newest hook on their signature text, if any.
ASAAPI_EXPORT bool game_can_tame(APrimalDinoCharacter* creature,
                                 AShooterPlayerController* controller, bool first, bool second);
ASAAPI_EXPORT void game_imprint_baby_dino(APrimalDinoCharacter* creature,
                                          APlayerController* controller, bool flag);
ASAAPI_EXPORT void game_set_rider(APrimalDinoCharacter* creature, AShooterCharacter* rider);

// What the game's own taming test answers (default true).
ASAAPI_EXPORT void set_can_tame_answer(bool answer);

// One run of a game function's own body (not of a hook).
struct GameCall {
  std::string function;  // "CanTame", "ImprintBabyDino", "SetRider"
  APrimalDinoCharacter* creature = nullptr;
  const void* other = nullptr;  // controller or rider
  bool first = false;
  bool second = false;
};
ASAAPI_EXPORT std::vector<GameCall> game_calls();

// ---- Hooks and commands ---------------------------------------------------------------------
// Signature texts of the installed hooks, in install order.
ASAAPI_EXPORT std::vector<std::string> installed_hooks();
ASAAPI_EXPORT std::vector<std::string> console_commands();
ASAAPI_EXPORT std::vector<std::string> rcon_commands();

// Runs the console command named by the first word of `line` (UTF-8), as typed by `player`
// (may be null). False when no such command is registered.
ASAAPI_EXPORT bool run_console_command(APlayerController* player, std::string_view line);

// ---- RCON -----------------------------------------------------------------------------------
struct RconReply {
  std::int32_t id = 0;
  std::int32_t type = 0;
  std::string text;  // UTF-8
};
using RconReplySink = std::function<void(const RconReply&)>;
// A client connection; every SendMessage on it goes to `sink` (and to rcon_replies()).
ASAAPI_EXPORT RCONClientConnection* open_rcon_connection(RconReplySink sink = {});
ASAAPI_EXPORT void close_rcon_connection(RCONClientConnection* connection);
// Runs the RCON command named by the first word of `body` for a request with `id`.
// False when no such command is registered.
ASAAPI_EXPORT bool run_rcon_command(RCONClientConnection* connection, std::int32_t id,
                                    std::string_view body);
ASAAPI_EXPORT std::vector<RconReply> rcon_replies();

// ---- Messenger ------------------------------------------------------------------------------
struct SentMessage {
  const APlayerController* player = nullptr;
  FLinearColor colour{};
  std::string text;  // UTF-8
};
ASAAPI_EXPORT std::vector<SentMessage> sent_messages();
// Also called for every message sent, e.g. to print it.
ASAAPI_EXPORT void on_message(std::function<void(const SentMessage&)> listener);
// When false, the messenger lookup yields none.
ASAAPI_EXPORT void set_messenger_available(bool available);
// Module paths passed to the messenger lookup, in order (UTF-8).
ASAAPI_EXPORT std::vector<std::string> messenger_lookups();

// ---- The game's compare ----------------------------------------------------------------------
// Calls of FGenericPlatformStricmp.Stricmp since the last reset_records().
ASAAPI_EXPORT std::size_t compare_calls();

// ---- Failures on demand -----------------------------------------------------------------------
// The next `count` look-ups of that signature or field name through GetAddress, either form,
// yield null (nullptr or 0). A count of 0 withdraws what is pending.
ASAAPI_EXPORT void fail_resolve(std::string_view name, std::size_t count = 1);
// The next SetHook on that signature returns false and installs nothing.
ASAAPI_EXPORT void fail_next_hook(std::string_view signature);
// The next AddConsoleCommand or AddRconCommand of that name (any letter case) throws
// std::runtime_error naming it: the host's Add* return nothing, so throwing is how it refuses.
ASAAPI_EXPORT void fail_next_command(std::string_view name);

// ---- Whole-world reset ----------------------------------------------------------------------
// Clears every record and pending failure, thaws the clock, the taming answer back to true, a
// messenger available, the world emptied. Hooks, commands and log sinks stay: they belong to
// whoever installed them.
ASAAPI_EXPORT void reset_records();

// ---- Text -----------------------------------------------------------------------------------
ASAAPI_EXPORT std::u16string utf8_to_utf16(std::string_view text);
ASAAPI_EXPORT std::string utf16_to_utf8(std::u16string_view text);

}  // namespace standin
