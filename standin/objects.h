// The game's objects a test or the sandbox creates, and how often the game's compare ran.
#pragma once

#include <cstddef>
#include <string_view>

#include "host/export.h"
#include "standin/game_objects.h"

namespace standin {

// A creature of the given class; it lives until reset_world(). Its own instance name differs from
// its class name, as in the game.
ASAAPI_EXPORT APrimalDinoCharacter* spawn_creature(std::string_view class_name_utf8);
// A new player each call, also for a name already used.
ASAAPI_EXPORT AShooterPlayerController* player(std::string_view name);
// A character named `name`, steered by `controller` (none when null).
ASAAPI_EXPORT AShooterCharacter* rider(std::string_view name,
                                       APlayerController* controller = nullptr);
// Destroys every creature, player and rider.
ASAAPI_EXPORT void reset_world();

// Calls of FGenericPlatformStricmp.Stricmp since the last reset_world().
ASAAPI_EXPORT std::size_t compare_calls();

}  // namespace standin
