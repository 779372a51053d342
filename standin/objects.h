// The game's objects a test or the sandbox creates, players' ids, and how often the game's compare
// ran.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/export.h"
#include "standin/game_objects.h"

namespace standin {

// A creature of the given class; it lives until reset_world(). Its own instance name differs from
// its class name, as in the game.
ASAAPI_EXPORT APrimalDinoCharacter* spawn_creature(std::string_view class_name_utf8);
// A new player each call, also for a name already used. Its unique id is made from the name (the
// same name, the same id, on every run) until set_player_id gives it another.
ASAAPI_EXPORT AShooterPlayerController* player(std::string_view name);
// The id the game gives for the player (UTF-8); empty for a controller player() did not make.
ASAAPI_EXPORT void set_player_id(const AShooterPlayerController* player, std::string_view id);
ASAAPI_EXPORT std::string player_id(const AShooterPlayerController* player);
// A character named `name`, steered by `controller` (none when null).
ASAAPI_EXPORT AShooterCharacter* rider(std::string_view name,
                                       APlayerController* controller = nullptr);
// Destroys every creature, player and rider.
ASAAPI_EXPORT void reset_world();

// Calls of FGenericPlatformStricmp.Stricmp since the last reset_world().
ASAAPI_EXPORT std::size_t compare_calls();

}  // namespace standin
